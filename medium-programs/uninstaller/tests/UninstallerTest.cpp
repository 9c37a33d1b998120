// The uninstaller as setup starts it: a separate process given the install
// directory and setup's process id.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Process.h"
#include "UninstallerExitCode.h"

using qs_test::Quoted;
using qs_test::RunProgram;

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::wstring& path, const char* text) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(out, nullptr) << "cannot write " << std::string(path.begin(), path.end());
    fputs(text, out);
    fclose(out);
}

void RemoveAll(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveAll(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

const wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingRenames[] = L"PendingFileRenameOperations";

// The restart-time operations as (source, target) pairs.
std::vector<std::pair<std::wstring, std::wstring>> PendingRenames() {
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS) return pairs;
    DWORD size = 0;
    if (RegQueryValueExW(key, kPendingRenames, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        if (RegQueryValueExW(key, kPendingRenames, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS) {
            std::vector<std::wstring> texts;
            const std::size_t end = size / sizeof(wchar_t);
            for (std::size_t i = 0; i < end;) {
                const std::wstring text(&data[i]);
                texts.push_back(text);
                i += text.size() + 1;
            }
            for (std::size_t i = 0; i + 1 < texts.size() && !texts[i].empty(); i += 2)
                pairs.emplace_back(texts[i], texts[i + 1]);
        }
    }
    RegCloseKey(key);
    return pairs;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && SameText(text.substr(text.size() - end.size()), end);
}

// Takes the restart-time operations on |file| away again.
void ForgetPendingRenamesOf(const std::wstring& file) {
    std::vector<wchar_t> data;
    for (const auto& pair : PendingRenames()) {
        if (EndsWith(pair.first, file)) continue;
        data.insert(data.end(), pair.first.begin(), pair.first.end());
        data.push_back(L'\0');
        data.insert(data.end(), pair.second.begin(), pair.second.end());
        data.push_back(L'\0');
    }
    data.push_back(L'\0');
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (data.size() == 1)
        RegDeleteValueW(key, kPendingRenames);
    else
        RegSetValueExW(key, kPendingRenames, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring Hex(DWORD value) {
    wchar_t text[16] = {};
    swprintf(text, 16, L"0x%lx", static_cast<unsigned long>(value));
    return text;
}

// A folder of the test's own that holds a second product folder (so it is
// never left empty) and the product's folder with its install directory.
class UninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        temp_ = temp;
        base_ = temp_ + L"vxdelall-test-" + std::to_wstring(GetCurrentProcessId());
        product_ = base_ + L"\\Product";
        install_ = product_ + L"\\Install";
        for (const std::wstring& folder : {base_, base_ + L"\\Other", product_, install_, install_ + L"\\Driver",
                                           install_ + L"\\Driver\\x64"}) {
            ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
        }
        WriteFile(base_ + L"\\Other\\keep.txt", "stays");
        WriteFile(install_ + L"\\setup.dat", "data");
        WriteFile(install_ + L"\\Driver\\x64\\driver.dll", "driver");
        WriteFile(install_ + L"\\Driver\\readonly.inf", "inf");
        SetFileAttributesW((install_ + L"\\Driver\\readonly.inf").c_str(), FILE_ATTRIBUTE_READONLY);
    }

    void TearDown() override { RemoveAll(base_); }

    std::wstring Arguments(const std::wstring& directory) const { return L"/P" + Quoted(directory); }

    qs_test::RunResult Uninstall(const std::wstring& arguments, const std::wstring& program = QS_UNINSTALLER) {
        return RunProgram(Quoted(program) + L" " + arguments, L"", 30000);
    }

    void ExpectOnlyTheProductRemoved() {
        EXPECT_FALSE(Exists(install_));
        EXPECT_FALSE(Exists(product_)) << "the emptied parent stays";
        EXPECT_TRUE(Exists(base_ + L"\\Other\\keep.txt"));
    }

    std::wstring temp_;
    std::wstring base_;
    std::wstring product_;
    std::wstring install_;
};

TEST_F(UninstallerTest, WaitsForSetupToEndThenRemovesTheInstallDirectory) {
    const std::wstring release = base_ + L"\\release.txt";
    std::wstring setupLine = Quoted(QS_FAKE_SETUP) + L" " + Quoted(release);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION setup{};
    ASSERT_TRUE(CreateProcessW(nullptr, &setupLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &setup));
    CloseHandle(setup.hThread);

    std::wstring line = Quoted(QS_UNINSTALLER) + L" " + Arguments(install_) + L" /I" + Hex(setup.dwProcessId);
    PROCESS_INFORMATION uninstaller{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &uninstaller));
    CloseHandle(uninstaller.hThread);

    // While setup runs, nothing is removed.
    EXPECT_EQ(WaitForSingleObject(uninstaller.hProcess, 1500), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(Exists(install_ + L"\\Driver\\x64\\driver.dll"));

    WriteFile(release, "go");
    EXPECT_EQ(WaitForSingleObject(setup.hProcess, 30000), WAIT_OBJECT_0);
    ASSERT_EQ(WaitForSingleObject(uninstaller.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(uninstaller.hProcess, &exitCode);
    CloseHandle(uninstaller.hProcess);
    CloseHandle(setup.hProcess);

    EXPECT_EQ(exitCode, static_cast<DWORD>(kExitSuccess));
    ExpectOnlyTheProductRemoved();
}

TEST_F(UninstallerTest, ASetupThatHasEndedOrNoneNeedsNoWait) {
    // A process id that has ended: the fake setup ends at once when its file is there.
    const std::wstring release = base_ + L"\\release.txt";
    WriteFile(release, "go");
    std::wstring setupLine = Quoted(QS_FAKE_SETUP) + L" " + Quoted(release);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION setup{};
    ASSERT_TRUE(CreateProcessW(nullptr, &setupLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &setup));
    CloseHandle(setup.hThread);
    ASSERT_EQ(WaitForSingleObject(setup.hProcess, 30000), WAIT_OBJECT_0);
    const DWORD endedId = setup.dwProcessId;
    CloseHandle(setup.hProcess);

    const auto result = Uninstall(Arguments(install_) + L" /I" + Hex(endedId));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(kExitSuccess));
    ExpectOnlyTheProductRemoved();

    // Nothing left to remove, nothing to wait for: still success.
    const auto again = Uninstall(Arguments(install_));
    ASSERT_TRUE(again.finished);
    EXPECT_EQ(again.exitCode, static_cast<DWORD>(kExitSuccess));
}

TEST_F(UninstallerTest, BadArgumentsRemoveNothing) {
    const std::wstring dir = Arguments(install_);
    const std::wstring cases[] = {
        L"",
        L"/I0x10",
        L"/P",
        L"/P\"\" /I0x10",
        dir + L" /I10",
        dir + L" /I0x",
        dir + L" /Ixyz",
        dir + L" /I0x123456789",
        dir + L" /X",
        dir + L" " + dir,
        dir + L" /I0x10 /I0x10",
        dir + L" stray",
    };
    for (const std::wstring& arguments : cases) {
        const auto result = Uninstall(arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(kExitBadArguments)) << std::string(arguments.begin(), arguments.end());
    }
    EXPECT_TRUE(Exists(install_ + L"\\Driver\\x64\\driver.dll"));
}

TEST_F(UninstallerTest, RefusesDriveRootsAndRelativePaths) {
    // A drive that does not exist: should the refusal ever break, there is
    // nothing to lose, and the exit code still tells.
    const DWORD drives = GetLogicalDrives();
    wchar_t letter = L'Y';
    while (letter > L'D' && (drives & (1u << (letter - L'A')))) --letter;
    const std::wstring root = std::wstring(1, letter) + L":";
    const std::wstring cases[] = {root + L"\\", root, L"Product\\Install", L"\\\\server\\share"};
    for (const std::wstring& directory : cases) {
        const auto result = Uninstall(Arguments(directory));
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(kExitRefused)) << std::string(directory.begin(), directory.end());
    }
}

TEST_F(UninstallerTest, SetupsCopyInTheTemporaryFolderIsDeletedAtRestart) {
    const std::wstring copy = temp_ + L"VXDelAll-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    ASSERT_TRUE(CopyFileW(QS_UNINSTALLER, copy.c_str(), FALSE)) << GetLastError();

    const auto result = Uninstall(Arguments(install_), copy);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(kExitSuccess));
    ExpectOnlyTheProductRemoved();

    bool marked = false;
    for (const auto& pair : PendingRenames()) {
        if (EndsWith(pair.first, copy.substr(2))) {
            marked = true;
            EXPECT_EQ(pair.second, L"") << "a deletion, not a rename";
        }
        // The build's own program is not a copy of setup's and stays.
        EXPECT_FALSE(EndsWith(pair.first, L"uninstaller\\VXDelAll.exe"));
    }
    EXPECT_TRUE(marked);

    ForgetPendingRenamesOf(copy.substr(2));
    DeleteFileW(copy.c_str());
}

}  // namespace
