#include "RegistryTestKey.h"

namespace records_test {

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void PutRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    if (name != nullptr) {
        EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS) << name;
    }
    RegCloseKey(key);
}

void PutText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    PutRaw(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void PutNumber(HKEY root, const std::wstring& path, const wchar_t* name, DWORD number) {
    PutRaw(root, path, name, REG_DWORD, &number, sizeof(number));
}

RawValue GetRaw(HKEY root, const std::wstring& path, const wchar_t* name) {
    RawValue value;
    HKEY key = nullptr;
    value.result = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key);
    if (value.result != ERROR_SUCCESS) return value;
    DWORD size = 0;
    value.result = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
    if (value.result == ERROR_SUCCESS) {
        value.data.resize(size);
        value.result = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

std::wstring GetText(HKEY root, const std::wstring& path, const wchar_t* name) {
    const RawValue value = GetRaw(root, path, name);
    if (value.result != ERROR_SUCCESS) return L"<missing>";
    std::wstring text(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

void DeleteTree(HKEY root, const std::wstring& path) {
    RegDeleteTreeW(root, path.c_str());
    RegDeleteKeyW(root, path.c_str());
}

void RegistryTestKey::SetUp() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    base_ = L"Software\\QsTest\\" + std::wstring(name.begin(), name.end()) + L"-" +
            std::to_wstring(GetCurrentProcessId());
    DeleteTree(root_, base_);
    PutRaw(root_, base_);
}

void RegistryTestKey::TearDown() {
    DeleteTree(root_, base_);
    for (const auto& [root, path] : extra_) DeleteTree(root, path);
}

std::wstring RegistryTestKey::Path(const std::wstring& relative) const {
    return relative.empty() ? base_ : base_ + L"\\" + relative;
}

std::wstring RegistryTestKey::OwnKeyUnder(HKEY root, const std::wstring& parent) {
    const std::wstring path = parent + L"\\QsTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(extra_.size());
    DeleteTree(root, path);
    extra_.emplace_back(root, path);
    return path;
}

}  // namespace records_test
