// Copying and deleting files and trees in a folder of the test's own, with
// copies recorded in a history key of the test's own.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FileOperations.h"
#include "FileTestFixture.h"
#include "OsVersion.h"
#include "ScopedHandle.h"

namespace {

using qs_components_test::FileTestFixture;

class FileOperationsTest : public FileTestFixture {
protected:
    // Opens |path| for reading as another program would hold it.
    static CKernelHandle Hold(const std::wstring& path, DWORD share) {
        return CKernelHandle(CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
    }
};

TEST_F(FileOperationsTest, CopyIntoMissingDirectoriesRecordsThemAndTheFile) {
    WriteFile(Under(L"src.dll"), "new");
    const std::wstring destination = Under(L"A\\B\\F.DLL");

    EXPECT_EQ(CopySingleFileOutcome(Under(L"src.dll").c_str(), destination.c_str(), true), CopyOutcome::kCopied);
    EXPECT_EQ(ReadFile(destination), "new");
    EXPECT_EQ(RecordedDirs(), (std::vector<std::wstring>{Under(L"A\\"), Under(L"A\\B\\")}));
    EXPECT_EQ(RecordedFiles(), (std::vector<std::wstring>{destination}));
}

TEST_F(FileOperationsTest, CopyCases) {
    WriteFile(Under(L"src.txt"), "new");
    struct CopyCase {
        const char* what;
        std::wstring source;
        std::wstring destination;
        bool readOnlyDestination;
        bool expected;
        std::string content;  // of the destination afterwards
        std::vector<std::wstring> recorded;
    };
    const std::vector<CopyCase> cases = {
        {"onto itself, differing in case", Under(L"src.txt"), Under(L"SRC.TXT"), false, true, "new", {}},
        {"read-only destination", Under(L"src.txt"), Under(L"ro.txt"), true, true, "new", {Under(L"ro.txt")}},
        // The record made before the copy is taken back: a removal must not
        // delete the file that was there before.
        {"missing source", Under(L"none.txt"), Under(L"kept.txt"), false, false, "old", {}},
        {"empty source", L"", Under(L"kept2.txt"), false, false, "old", {}},
        {"empty destination", Under(L"src.txt"), L"", false, false, "", {}},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, history_.c_str());
        if (!c.destination.empty() && c.content != "new") WriteFile(c.destination, "old");
        if (c.readOnlyDestination) {
            WriteFile(c.destination, "old");
            SetFileAttributesW(c.destination.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        EXPECT_EQ(CopySingleFile(c.source.c_str(), c.destination.c_str(), true), c.expected);
        if (!c.destination.empty()) {
            EXPECT_EQ(ReadFile(c.destination), c.content);
            if (c.expected) {
                EXPECT_EQ(GetFileAttributesW(c.destination.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
            }
        }
        EXPECT_EQ(RecordedFiles(), c.recorded);
    }
}

TEST_F(FileOperationsTest, FailedCopyTakesBackOnlyItsOwnRecord) {
    WriteFile(Under(L"src.txt"), "new");
    ASSERT_TRUE(CopySingleFile(Under(L"src.txt").c_str(), Under(L"one.txt").c_str(), true));
    EXPECT_FALSE(CopySingleFile(Under(L"gone.txt").c_str(), Under(L"two.txt").c_str(), true));
    ASSERT_TRUE(CopySingleFile(Under(L"src.txt").c_str(), Under(L"three.txt").c_str(), true));
    EXPECT_EQ(RecordedFiles(), (std::vector<std::wstring>{Under(L"one.txt"), Under(L"three.txt")}));
}

TEST_F(FileOperationsTest, DestinationInUseThatCanBeMovedIsReplacedNow) {
    WriteFile(Under(L"src.dll"), "new");
    WriteFile(Under(L"used.dll"), "old");
    {
        const CKernelHandle held = Hold(Under(L"used.dll"), FILE_SHARE_READ | FILE_SHARE_DELETE);
        ASSERT_TRUE(held);
        EXPECT_EQ(CopySingleFileOutcome(Under(L"src.dll").c_str(), Under(L"used.dll").c_str(), true),
                  CopyOutcome::kCopied);
    }
    EXPECT_EQ(ReadFile(Under(L"used.dll")), "new");
    EXPECT_EQ(RecordedFiles(), (std::vector<std::wstring>{Under(L"used.dll")}));
    // The old file went to the temporary directory and waits there for its deletion.
    const std::vector<std::wstring> pending = PendingRenames();
    ASSERT_GE(pending.size(), 2u);
    EXPECT_TRUE(pending[pending.size() - 1].empty());
}

TEST_F(FileOperationsTest, DestinationHeldWithoutDeleteSharingIsReplacedAtRestart) {
    WriteFile(Under(L"src.dll"), "new");
    WriteFile(Under(L"held.dll"), "old");
    const CKernelHandle held = Hold(Under(L"held.dll"), FILE_SHARE_READ);
    ASSERT_TRUE(held);

    EXPECT_EQ(CopySingleFileOutcome(Under(L"src.dll").c_str(), Under(L"held.dll").c_str(), true),
              CopyOutcome::kReplacedAtRestart);
    EXPECT_EQ(ReadFile(Under(L"held.dll")), "old");
    EXPECT_TRUE(IsPendingRenameTo(Under(L"held.dll")));
    // Setup will have written the file once the system restarts: it stays recorded.
    EXPECT_EQ(RecordedFiles(), (std::vector<std::wstring>{Under(L"held.dll")}));

    // The new content waits beside the destination, in the pending rename's source.
    const std::vector<std::wstring> pending = PendingRenames();
    ASSERT_GE(pending.size(), 2u);
    std::wstring waiting = pending[pending.size() - 2];
    if (waiting.rfind(L"\\??\\", 0) == 0) waiting.erase(0, 4);
    EXPECT_EQ(ReadFile(waiting), "new");
}

TEST_F(FileOperationsTest, CopyFailingEveryWayFailsAndLeavesNoRecord) {
    WriteFile(Under(L"src.dll"), "new");
    ASSERT_TRUE(CreateDirectoryW(Under(L"dir").c_str(), nullptr));
    WriteFile(Under(L"dir\\x"), "x");
    // A directory stands where the file should go: neither now nor at restart.
    EXPECT_EQ(CopySingleFileOutcome(Under(L"src.dll").c_str(), Under(L"dir").c_str(), true), CopyOutcome::kFailed);
    EXPECT_TRUE(RecordedFiles().empty());
    EXPECT_FALSE(IsPendingRenameTo(Under(L"dir")));
    EXPECT_EQ(ReadFile(Under(L"dir\\x")), "x");
}

TEST_F(FileOperationsTest, DeleteSingleFileCases) {
    struct DeleteCase {
        const char* what;
        std::wstring create;  // empty: nothing
        std::wstring argument;
        bool readOnly;
        bool expected;
    };
    const std::vector<DeleteCase> cases = {
        {"missing file", L"", Under(L"missing.txt"), false, true},
        {"missing directory", L"", Under(L"nodir\\missing.txt"), false, true},
        {"read-only file", Under(L"ro.txt"), Under(L"ro.txt"), true, true},
        {"quoted with blanks", Under(L"q.txt"), L" \"" + Under(L"q.txt") + L"\" ", false, true},
        {"empty", L"", L"", false, false},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.create.empty()) {
            WriteFile(c.create, "x");
            if (c.readOnly) SetFileAttributesW(c.create.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        EXPECT_EQ(DeleteSingleFile(c.argument.c_str()), c.expected);
        if (!c.create.empty()) {
            EXPECT_FALSE(Exists(c.create));
        }
    }
}

TEST_F(FileOperationsTest, DeleteFileInUseGoesAtRestart) {
    WriteFile(Under(L"inuse.dll"), "x");
    const CKernelHandle held = Hold(Under(L"inuse.dll"), FILE_SHARE_READ | FILE_SHARE_DELETE | FILE_SHARE_WRITE);
    ASSERT_TRUE(held);
    EXPECT_TRUE(DeleteAtRestart(Under(L"inuse.dll").c_str()));
    EXPECT_FALSE(Exists(Under(L"inuse.dll")));
    const std::vector<std::wstring> pending = PendingRenames();
    ASSERT_GE(pending.size(), 2u);
    EXPECT_TRUE(pending.back().empty());

    EXPECT_FALSE(DeleteAtRestart(Under(L"never.dll").c_str()));
}

TEST_F(FileOperationsTest, DeleteTreeWithContentsTakesEmptiedParents) {
    ASSERT_TRUE(CreateDirectoryW(Under(L"P").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"P\\M").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"P\\M\\X").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"P\\M\\X\\Sub").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"P\\M\\X\\Empty").c_str(), nullptr));
    WriteFile(Under(L"P\\M\\X\\a.txt"), "a");
    WriteFile(Under(L"P\\M\\X\\Sub\\b.txt"), "b");
    SetFileAttributesW(Under(L"P\\M\\X\\Sub\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    // Keeps the test's folder from being emptied and taken as well.
    WriteFile(Under(L"keep.txt"), "k");

    EXPECT_TRUE(DeleteTree((Under(L"P\\M\\X") + L"\\").c_str(), true));
    EXPECT_FALSE(Exists(Under(L"P")));
    EXPECT_TRUE(IsDirectory(base_));
}

TEST_F(FileOperationsTest, DeleteTreeKeepsTheSystemsFoldersThatItEmpties) {
    // A product installed on the public desktop, which is empty in a new
    // system: the product's folders go, the desktop stays.
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                               desktop),
              S_OK);
    const std::wstring vendor = std::wstring(desktop) + L"\\QsVendor";
    ASSERT_TRUE(CreateDirectoryW(vendor.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((vendor + L"\\Product").c_str(), nullptr));
    WriteFile(vendor + L"\\Product\\a.txt", "a");
    const bool desktopWasEmpty = [&] {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((std::wstring(desktop) + L"\\*").c_str(), &found);
        int entries = 0;
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (found.cFileName[0] != L'.') ++entries;
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        return entries == 1;  // only the vendor's folder
    }();

    EXPECT_TRUE(DeleteTree((vendor + L"\\Product").c_str(), true));
    EXPECT_FALSE(Exists(vendor));
    EXPECT_TRUE(IsDirectory(desktop)) << (desktopWasEmpty ? "an emptied desktop was removed" : "");
}

TEST_F(FileOperationsTest, DeleteTreeWithoutContentsTakesOnlyAnEmptyDirectory) {
    ASSERT_TRUE(CreateDirectoryW(Under(L"Full").c_str(), nullptr));
    WriteFile(Under(L"Full\\f.txt"), "f");
    ASSERT_TRUE(CreateDirectoryW(Under(L"Outer").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"Outer\\Empty").c_str(), nullptr));

    EXPECT_TRUE(DeleteTree(Under(L"Full").c_str(), false));
    EXPECT_TRUE(Exists(Under(L"Full\\f.txt")));
    EXPECT_TRUE(DeleteTree(Under(L"Outer\\Empty\\").c_str(), false));
    EXPECT_FALSE(Exists(Under(L"Outer\\Empty")));
    EXPECT_TRUE(IsDirectory(Under(L"Outer")));  // no parent is touched
    EXPECT_FALSE(DeleteTree(L"", true));
}

TEST_F(FileOperationsTest, CopyTreeWithAndWithoutSubDirectories) {
    ASSERT_TRUE(CreateDirectoryW(Under(L"S").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Under(L"S\\Sub").c_str(), nullptr));
    WriteFile(Under(L"S\\a.txt"), "a");
    WriteFile(Under(L"S\\Sub\\b.txt"), "b");

    EXPECT_TRUE(CopyTree(Under(L"S\\").c_str(), Under(L"Flat\\").c_str(), false, false));
    EXPECT_EQ(ReadFile(Under(L"Flat\\a.txt")), "a");
    EXPECT_FALSE(Exists(Under(L"Flat\\Sub")));

    EXPECT_TRUE(CopyTree(Under(L"S").c_str(), Under(L"Deep").c_str(), true, true));
    EXPECT_EQ(ReadFile(Under(L"Deep\\a.txt")), "a");
    EXPECT_EQ(ReadFile(Under(L"Deep\\Sub\\b.txt")), "b");
    std::vector<std::wstring> files = RecordedFiles();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{Under(L"Deep\\Sub\\b.txt"), Under(L"Deep\\a.txt")}));
    EXPECT_EQ(RecordedDirs(), (std::vector<std::wstring>{Under(L"Deep\\"), Under(L"Deep\\Sub\\")}));
}

TEST_F(FileOperationsTest, OnTheWindows9xFamilyTheRenameGoesToWininit) {
    WriteFile(Under(L"src.dll"), "new");
    WriteFile(Under(L"old9x.dll"), "old");
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    const std::wstring wininit = std::wstring(windows) + L"\\wininit.ini";
    const bool hadWininit = Exists(wininit);
    wchar_t shortDestination[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(Under(L"old9x.dll").c_str(), shortDestination, MAX_PATH), 0u);

    SetFileOperationsOSFamily(os_class::kFamily9x);
    CopyOutcome outcome = CopyOutcome::kFailed;
    {
        const CKernelHandle held = Hold(Under(L"old9x.dll"), FILE_SHARE_READ);
        ASSERT_TRUE(held);
        outcome = CopySingleFileOutcome(Under(L"src.dll").c_str(), Under(L"old9x.dll").c_str(), false);
    }
    SetFileOperationsOSFamily(0);

    wchar_t waiting[MAX_PATH] = {};
    GetPrivateProfileStringW(L"rename", shortDestination, L"", waiting, MAX_PATH, L"wininit.ini");
    WritePrivateProfileStringW(L"rename", shortDestination, nullptr, L"wininit.ini");
    if (!hadWininit) DeleteFileW(wininit.c_str());

    EXPECT_EQ(outcome, CopyOutcome::kReplacedAtRestart);
    EXPECT_EQ(ReadFile(Under(L"old9x.dll")), "old");
    EXPECT_EQ(ReadFile(waiting), "new");
    DeleteFileW(waiting);
    EXPECT_FALSE(IsPendingRenameTo(Under(L"old9x.dll")));
}

}  // namespace
