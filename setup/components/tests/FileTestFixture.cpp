#include "FileTestFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "InstHistory.h"
#include "LogReader.h"

namespace qs_components_test {

namespace {

const wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingRenames[] = L"PendingFileRenameOperations";

bool ReadPending(std::vector<BYTE>& bytes) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames, RRF_RT_REG_MULTI_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS)
        return false;
    bytes.assign(size, 0);
    return RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames, RRF_RT_REG_MULTI_SZ, nullptr,
                        bytes.data(), &size) == ERROR_SUCCESS;
}

}  // namespace

void FileTestFixture::SetUp() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        std::string(info->test_suite_name()) + "-" + info->name() + "-" + std::to_string(GetCurrentProcessId());
    unique_.assign(name.begin(), name.end());
    // A parameterised test's names hold slashes: no path or key may.
    std::replace(unique_.begin(), unique_.end(), L'/', L'-');
    base_ = qs_test::TempDirectory() + L"Copy-" + unique_;
    std::error_code ignored;
    std::filesystem::remove_all(base_, ignored);
    ASSERT_TRUE(CreateDirectoryW(base_.c_str(), nullptr));
    history_ = L"Software\\QsTest\\Copy-" + unique_;
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, history_.c_str());
    CInstHistory::SetDefaultKey(history_);
    pendingAtStart_ = PendingRenames();
}

void FileTestFixture::TearDown() {
    CInstHistory::SetDefaultKey(L"");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, history_.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, history_.c_str());
    ForgetOwnPendingRenames();
    std::error_code ignored;
    std::filesystem::remove_all(base_, ignored);
}

void FileTestFixture::WriteFile(const std::wstring& path, const std::string& content) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << content;
    ASSERT_TRUE(out.good()) << "cannot write the test file";
}

std::string FileTestFixture::ReadFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileTestFixture::Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileTestFixture::IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::wstring> FileTestFixture::Recorded(const wchar_t* entryPrefix, const wchar_t* countName) const {
    std::vector<std::wstring> texts;
    DWORD count = 0;
    DWORD size = sizeof(count);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, history_.c_str(), countName, RRF_RT_REG_DWORD, nullptr, &count, &size) !=
        ERROR_SUCCESS)
        return texts;
    for (DWORD i = 0; i < count; ++i) {
        wchar_t text[1024] = L"<unreadable>";
        DWORD bytes = sizeof(text);
        const std::wstring name = entryPrefix + std::to_wstring(i);
        RegGetValueW(HKEY_LOCAL_MACHINE, history_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &bytes);
        texts.emplace_back(text);
    }
    return texts;
}

// Takes out of the system's list the renames this test added for its own
// folder or the temporary directory, and deletes the files they would have
// moved or deleted: they are not for the shared prefix's next start. Renames
// listed before the test began, and anyone else's, stay.
void FileTestFixture::ForgetOwnPendingRenames() const {
    const std::vector<std::wstring> texts = PendingRenames();
    std::vector<std::wstring> kept;
    const std::wstring temp = qs_test::TempDirectory();
    auto mentions = [](const std::wstring& text, const std::wstring& folder) {
        std::wstring upperText = text;
        std::wstring upperFolder = folder;
        CharUpperBuffW(&upperText[0], static_cast<DWORD>(upperText.size()));
        CharUpperBuffW(&upperFolder[0], static_cast<DWORD>(upperFolder.size()));
        return !upperFolder.empty() && upperText.find(upperFolder) != std::wstring::npos;
    };
    bool changed = false;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        bool before = false;
        for (std::size_t j = 0; j + 1 < pendingAtStart_.size(); j += 2)
            before = before || (pendingAtStart_[j] == texts[i] && pendingAtStart_[j + 1] == texts[i + 1]);
        const bool own = mentions(texts[i], base_) || mentions(texts[i], temp) || mentions(texts[i + 1], base_);
        if (before || !own) {
            kept.push_back(texts[i]);
            kept.push_back(texts[i + 1]);
            continue;
        }
        changed = true;
        std::wstring source = texts[i];
        if (source.rfind(L"\\??\\", 0) == 0) source.erase(0, 4);
        DeleteFileW(source.c_str());
    }
    if (!changed) return;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (kept.empty()) {
        RegDeleteValueW(key, kPendingRenames);
    } else {
        std::wstring joined;
        for (const std::wstring& text : kept) joined += text + L'\0';
        joined += L'\0';
        RegSetValueExW(key, kPendingRenames, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(joined.data()),
                       static_cast<DWORD>(joined.size() * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

std::vector<std::wstring> FileTestFixture::PendingRenames() {
    std::vector<std::wstring> texts;
    std::vector<BYTE> bytes;
    if (!ReadPending(bytes)) return texts;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(bytes.data());
    const std::size_t chars = bytes.size() / sizeof(wchar_t);
    std::size_t at = 0;
    // Pairs of source and target; an empty target is a deletion, so empty texts count.
    while (at < chars) {
        const std::wstring one(text + at);
        texts.push_back(one);
        at += one.size() + 1;
    }
    // The list ends with one more NUL, read above as one more empty text.
    if (texts.size() % 2 == 1) texts.pop_back();
    return texts;
}

bool FileTestFixture::IsPendingRenameTo(const std::wstring& target) {
    const std::vector<std::wstring> texts = PendingRenames();
    for (std::size_t i = 1; i < texts.size(); i += 2) {
        std::wstring listed = texts[i];
        if (!listed.empty() && listed[0] == L'!') listed.erase(0, 1);
        if (listed.size() >= target.size() &&
            CompareStringOrdinal(listed.c_str() + listed.size() - target.size(), -1, target.c_str(), -1, TRUE) ==
                CSTR_EQUAL)
            return true;
    }
    return false;
}

}  // namespace qs_components_test
