// Undoing an installation history recorded under a key of the test's own:
// files, directories, keys, values, shortcuts and destination directories in
// the test's folder and under HKEY_CURRENT_USER\Software\QsTest.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "CopyFile.h"
#include "FileTestFixture.h"
#include "HistoryRemover.h"
#include "InstHistory.h"
#include "Log.h"
#include "LogReader.h"
#include "Registry.h"

namespace {

using qs_components_test::FileTestFixture;

class HistoryRemoverTest : public FileTestFixture {
protected:
    void SetUp() override {
        FileTestFixture::SetUp();
        userKey_ = L"Software\\QsTest\\Remove-" + unique_;
        RegDeleteTreeW(HKEY_CURRENT_USER, userKey_.c_str());
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, userKey_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, userKey_.c_str());
        FileTestFixture::TearDown();
    }

    void Record(const std::wstring& text, HistoryKind kind) const {
        ASSERT_EQ(CInstHistory::Record(text.c_str(), static_cast<DWORD>(kind), history_.c_str()), 0u);
    }
    static bool KeyExists(HKEY root, const std::wstring& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    static bool ValueExists(HKEY root, const std::wstring& path, const wchar_t* name) {
        return RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    std::wstring userKey_;  // under HKEY_CURRENT_USER
};

TEST_F(HistoryRemoverTest, RemovesEveryKindInItsOrder) {
    // Directories recorded parent first, as the directory maker does: only the
    // newest-first walk finds each one empty when its turn comes. The files in
    // them go first, the destination directory before the directories that
    // hold it, and values before the keys that hold them.
    ASSERT_TRUE(CreateDirectoryW(Under(L"A").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"A\\B").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"A\\B\\Dest").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"A\\B\\Dest\\Sub").c_str(), nullptr));
    WriteFile(Under(L"A\\B\\Dest\\Sub\\unrecorded.txt"), "u");
    WriteFile(Under(L"A\\f1.txt"), "1");
    WriteFile(Under(L"A\\B\\f2.txt"), "2");
    SetFileAttributesW(Under(L"A\\B\\f2.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(CreateDirectoryW(Under(L"Menu").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"Menu\\Group").c_str(), nullptr));
    WriteFile(Under(L"Menu\\Group\\App.lnk"), "link");
    WriteFile(Under(L"Menu\\keep.txt"), "k");
    // Beside the destination directory, whose removal takes its emptied parents.
    ASSERT_TRUE(CreateDirectoryW(Under(L"C").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"C\\D").c_str(), nullptr));
    WriteFile(Under(L"C\\D\\f3.txt"), "3");

    const std::wstring parent = userKey_ + L"\\Parent";
    const std::wstring child = parent + L"\\Child";
    ASSERT_EQ(CRegistry::SetValue(child.c_str(), L"Name", L"v", HKEY_CURRENT_USER), 0u);
    ASSERT_EQ(CRegistry::SetValue(userKey_.c_str(), L"Loose", L"v", HKEY_CURRENT_USER), 0u);
    ASSERT_EQ(CRegistry::SetValue(userKey_.c_str(), L"Kept", L"v", HKEY_CURRENT_USER), 0u);

    Record(Under(L"C\\"), HistoryKind::kDirectory);
    Record(Under(L"C\\D\\"), HistoryKind::kDirectory);
    Record(Under(L"C\\D\\f3.txt"), HistoryKind::kFile);
    Record(Under(L"A\\"), HistoryKind::kDirectory);
    Record(Under(L"A\\B\\"), HistoryKind::kDirectory);
    Record(Under(L"A\\f1.txt"), HistoryKind::kFile);
    Record(Under(L"A\\B\\f2.txt"), HistoryKind::kFile);
    Record(Under(L"A\\B\\Dest"), HistoryKind::kDestinationDirectory);
    Record(L"HKEY_CURRENT_USER\\" + parent, HistoryKind::kRegistryKey);
    Record(L"HKEY_CURRENT_USER\\" + child, HistoryKind::kRegistryKey);
    Record(L"hkey_current_user\\" + userKey_ + L"\\Loose", HistoryKind::kRegistryValue);
    Record(L"HKEY_NOWHERE\\" + userKey_ + L"\\Kept", HistoryKind::kRegistryValue);
    Record(L"HKEY_CURRENT_USER\\Kept", HistoryKind::kRegistryValue);  // one backslash: no value
    Record(Under(L"Menu\\Group\\App.lnk"), HistoryKind::kShortcut);

    CHistoryRemover remover;
    EXPECT_EQ(remover.RemoveRecorded(history_.c_str(), false), 0u);

    EXPECT_FALSE(Exists(Under(L"A")));
    EXPECT_FALSE(Exists(Under(L"C")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, parent));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, userKey_, L"Loose"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, userKey_, L"Kept"));
    EXPECT_FALSE(Exists(Under(L"Menu\\Group")));
    EXPECT_TRUE(Exists(Under(L"Menu\\keep.txt")));
    // The history itself stays.
    EXPECT_EQ(RecordedFiles().size(), 3u);
}

TEST_F(HistoryRemoverTest, WhatIsNotEmptyOrStillHasSubKeysStays) {
    ASSERT_TRUE(CreateDirectoryW(Under(L"Full").c_str(), nullptr));
    WriteFile(Under(L"Full\\other.txt"), "o");
    const std::wstring withChild = userKey_ + L"\\WithChild";
    ASSERT_EQ(CRegistry::SetValue((withChild + L"\\Sub").c_str(), L"N", L"v", HKEY_CURRENT_USER), 0u);
    Record(Under(L"Full\\"), HistoryKind::kDirectory);
    Record(L"HKEY_CURRENT_USER\\" + withChild, HistoryKind::kRegistryKey);
    Record(Under(L"never-there.txt"), HistoryKind::kFile);

    CHistoryRemover remover;
    EXPECT_EQ(remover.RemoveRecorded(history_.c_str(), false), 0u);
    EXPECT_TRUE(Exists(Under(L"Full\\other.txt")));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, withChild + L"\\Sub"));

    EXPECT_EQ(remover.RemoveRecorded(L"", false), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(remover.RemoveRecorded(nullptr, false), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(HistoryRemoverTest, InfFileLeavesTheDriverStoreByItsName) {
    CHistoryRemover remover;
    ASSERT_TRUE(remover.HasOemInfRemoval());
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    const std::wstring name = L"qs" + std::to_wstring(GetCurrentProcessId()) + L".inf";
    const std::wstring inf = std::wstring(windows) + L"\\inf\\" + name;
    WriteFile(inf, "[Version]\r\nSignature=\"$Windows NT$\"\r\n");
    Record(inf, HistoryKind::kFile);
    WriteFile(Under(L"plain.inf"), "[Version]\r\n");
    Record(Under(L"plain.inf"), HistoryKind::kFile);

    CLog log(base_ + L"\\", L"setup.exe");
    SetGlobalLog(&log);
    EXPECT_EQ(remover.RemoveRecorded(history_.c_str(), false), 0u);
    EXPECT_FALSE(Exists(inf));
    EXPECT_FALSE(Exists(Under(L"plain.inf")));
    qs_test::SetupLog read;
    ASSERT_TRUE(qs_test::ReadSetupLog(log.FilePath(), read));
    EXPECT_TRUE(read.Contains(name + L" file uninstalled"));
    // The one in the test's folder is not in the driver store: its removal is refused.
    EXPECT_TRUE(read.Contains(L"plain.inf file uninstall failed"));
    DeleteFileW((std::wstring(windows) + L"\\inf\\qs" + std::to_wstring(GetCurrentProcessId()) + L".pnf").c_str());
}

TEST_F(HistoryRemoverTest, CopyObjectUndoesTheInstallingHistory) {
    WriteFile(Under(L"src.txt"), "s");
    ASSERT_TRUE(CopySingleFile(Under(L"src.txt").c_str(), Under(L"New\\copy.txt").c_str(), true));
    CCopyFile copy;
    EXPECT_TRUE(copy.UndoInstallingHistory());
    EXPECT_FALSE(Exists(Under(L"New")));
    EXPECT_TRUE(Exists(Under(L"src.txt")));
}

}  // namespace
