// Deleting a shortcut with the folders it leaves empty, removing a directory
// with its emptied parents, and the shell folders both must keep.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "ShellFolders.h"
#include "Utl.h"

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::wstring ShellFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
    return path;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A folder of the test's own in the temporary directory, and a log that
// collects what the operations print.
class FolderRemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
        base_ = qs_test::TempDirectory() + L"qs-utl-" + id;
        logFolder_ = base_ + L"-log\\";
        ASSERT_TRUE(CreateDirectoryW(base_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(logFolder_.c_str(), nullptr));
        log_ = std::make_unique<CLog>(logFolder_, L"setup.exe");
        SetGlobalLog(log_.get());
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        log_.reset();
        for (const std::wstring& path : cleanUp_) {
            DeleteFileW(path.c_str());
            RemoveDirectoryW(path.c_str());
        }
        qs_test::DeleteTree(base_);
        qs_test::DeleteTree(logFolder_.substr(0, logFolder_.size() - 1));
    }

    qs_test::SetupLog ReadLog() {
        const std::wstring path = log_->FilePath();
        SetGlobalLog(nullptr);
        log_.reset();
        qs_test::SetupLog log;
        EXPECT_TRUE(qs_test::ReadSetupLog(path, log));
        return log;
    }

    // Makes the folders of |path| below an existing one, then the file.
    void MakeShortcut(const std::wstring& path) {
        std::wstring folder = CShellFolders::ParentOf(path);
        std::vector<std::wstring> missing;
        while (!Exists(folder)) {
            missing.push_back(folder);
            folder = CShellFolders::ParentOf(folder);
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) ASSERT_TRUE(CreateDirectoryW(it->c_str(), nullptr));
        ASSERT_TRUE(MakeFile(path));
    }

    std::wstring base_;
    std::wstring logFolder_;
    std::unique_ptr<CLog> log_;
    std::vector<std::wstring> cleanUp_;  // outside base_, innermost first
};

TEST_F(FolderRemovalTest, EmptiedFoldersGoAndTheFirstThatStaysIsRetriedTenTimes) {
    const std::wstring holder = base_ + L"\\Holder";
    const std::wstring shortcut = holder + L"\\Group\\Sub\\Printer Tool.lnk";
    MakeShortcut(shortcut);
    ASSERT_TRUE(MakeFile(holder + L"\\readme.txt"));

    EXPECT_TRUE(CUtl::DeleteShortcut(shortcut.c_str(), false));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_FALSE(Exists(holder + L"\\Group"));
    EXPECT_TRUE(Exists(holder + L"\\readme.txt"));

    const qs_test::SetupLog log = ReadLog();
    std::vector<std::wstring> expected;
    for (int retry = 0; retry < 10; ++retry) {
        expected.push_back(L"[CUtl::DeleteShortcut] " + std::to_wstring(retry) + L"th Retry DeleteShortcut : [" +
                           holder + L"]");
    }
    EXPECT_EQ(log.messages, expected);
}

TEST_F(FolderRemovalTest, KeepFoldersAndMissingShortcuts) {
    const std::wstring group = base_ + L"\\Group";
    const std::wstring shortcut = group + L"\\Printer Tool.lnk";
    MakeShortcut(shortcut);

    EXPECT_FALSE(CUtl::DeleteShortcut((group + L"\\Missing.lnk").c_str(), false));
    EXPECT_TRUE(Exists(shortcut));
    EXPECT_FALSE(CUtl::DeleteShortcut(L"", false));
    EXPECT_FALSE(CUtl::DeleteShortcut(nullptr, false));

    EXPECT_TRUE(CUtl::DeleteShortcut(shortcut.c_str(), true));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_TRUE(Exists(group));
    EXPECT_TRUE(ReadLog().messages.empty());
}

// The shell's own folders stay, even when the shortcut was the last thing in
// them; a program group below them goes.
TEST_F(FolderRemovalTest, ShellFoldersStayWhenTheirLastShortcutGoes) {
    struct Case {
        int folder;
        bool inGroup;
    };
    const Case cases[] = {
        {CSIDL_COMMON_DESKTOPDIRECTORY, false}, {CSIDL_COMMON_PROGRAMS, true}, {CSIDL_DESKTOPDIRECTORY, false},
        {CSIDL_PROGRAMS, true},                 {CSIDL_COMMON_STARTMENU, true}, {CSIDL_COMMON_STARTUP, false},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::wstring shell = ShellFolder(c.folder);
        ASSERT_FALSE(shell.empty()) << "shell folder " << c.folder;
        const std::wstring group =
            c.inGroup ? shell + L"\\QsUtl Group " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(index++)
                      : shell;
        const std::wstring shortcut = group + L"\\QsUtl Tool " + std::to_wstring(GetCurrentProcessId()) + L".lnk";
        cleanUp_.insert(cleanUp_.begin(), shortcut);
        if (c.inGroup) cleanUp_.insert(cleanUp_.begin() + 1, group);
        MakeShortcut(shortcut);

        EXPECT_TRUE(CUtl::DeleteShortcut(shortcut.c_str(), false)) << Narrow(shortcut);
        EXPECT_FALSE(Exists(shortcut)) << Narrow(shortcut);
        EXPECT_EQ(Exists(group), !c.inGroup) << Narrow(group);
        EXPECT_TRUE(Exists(shell)) << Narrow(shell);
    }
    EXPECT_TRUE(Exists(ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY)));
    EXPECT_TRUE(ReadLog().messages.empty());
}

TEST_F(FolderRemovalTest, RemoveDirectoryAndEmptyParentsStopsAtTheDriveRoot) {
    // C:\<A>\B where A holds only B: both go.
    const std::wstring a = L"C:\\qs-utl-rd-" + std::to_wstring(GetCurrentProcessId());
    cleanUp_ = {a + L"\\B", a};
    ASSERT_TRUE(CreateDirectoryW(a.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((a + L"\\B").c_str(), nullptr));
    EXPECT_TRUE(CUtl::RemoveDirectoryAndEmptyParents((a + L"\\B").c_str()));
    EXPECT_FALSE(Exists(a));
    EXPECT_TRUE(Exists(L"C:\\windows"));
}

TEST_F(FolderRemovalTest, RemoveDirectoryAndEmptyParentsKeepsWhatIsNotEmpty) {
    const std::wstring holder = base_ + L"\\Holder";
    ASSERT_TRUE(CreateDirectoryW(holder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((holder + L"\\App").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((holder + L"\\Full").c_str(), nullptr));
    ASSERT_TRUE(MakeFile(holder + L"\\Full\\data.bin"));

    EXPECT_TRUE(CUtl::RemoveDirectoryAndEmptyParents((holder + L"\\App").c_str()));
    EXPECT_FALSE(Exists(holder + L"\\App"));
    EXPECT_TRUE(Exists(holder));
    EXPECT_TRUE(CUtl::RemoveDirectoryAndEmptyParents((holder + L"\\Full").c_str()));
    EXPECT_TRUE(Exists(holder + L"\\Full\\data.bin"));
    EXPECT_TRUE(CUtl::RemoveDirectoryAndEmptyParents((holder + L"\\Missing").c_str()));
    EXPECT_FALSE(CUtl::RemoveDirectoryAndEmptyParents(L""));
    EXPECT_FALSE(CUtl::RemoveDirectoryAndEmptyParents(nullptr));

    // A destination on the public desktop goes; the desktop stays.
    const std::wstring desktop = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
    const std::wstring app = desktop + L"\\QsUtl App " + std::to_wstring(GetCurrentProcessId());
    cleanUp_ = {app};
    ASSERT_TRUE(CreateDirectoryW(app.c_str(), nullptr));
    EXPECT_TRUE(CUtl::RemoveDirectoryAndEmptyParents(app.c_str()));
    EXPECT_FALSE(Exists(app));
    EXPECT_TRUE(Exists(desktop));
}

TEST(ShellFolders, KeepsRootsTheFoldersAndWhatIsAboveThem) {
    const CShellFolders folders({L"C:\\Users\\Public\\Desktop", L"c:\\ProgramData\\Start Menu\\Programs\\"});
    struct Case {
        const wchar_t* folder;
        bool kept;
    };
    const Case cases[] = {
        {L"C:", true},
        {L"C:\\", true},
        {L"", true},
        {L"\\\\server\\share", true},
        {L"\\\\server\\share\\", true},
        {L"\\\\server\\share\\Group", false},
        {L"C:\\Users", true},
        {L"c:\\users\\public", true},
        {L"C:\\USERS\\PUBLIC\\DESKTOP", true},
        {L"C:\\Users\\Public\\Desktop\\", true},
        {L"C:\\Users\\Public\\Desktop\\..\\Desktop", true},
        {L"C:\\ProgramData\\Start Menu", true},
        {L"C:\\ProgramData\\Start Menu\\Programs", true},
        {L"C:\\ProgramData\\Start Menu\\Programs\\Vendor", false},
        {L"C:\\Users\\Public\\Desktop\\Group", false},
        {L"C:\\Users\\Pub", false},
        {L"C:\\Users\\PublicDocs", false},
        {L"D:\\Users", false},
    };
    for (const Case& c : cases) EXPECT_EQ(folders.IsKept(c.folder), c.kept) << Narrow(c.folder);
}

TEST(ShellFolders, TheSystemsFoldersAreKept) {
    const CShellFolders folders;
    for (const int id : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS,
                         CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU, CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
        const std::wstring shell = ShellFolder(id);
        ASSERT_FALSE(shell.empty()) << id;
        EXPECT_TRUE(folders.IsKept(shell)) << Narrow(shell);
        EXPECT_FALSE(folders.IsKept(shell + L"\\Vendor Group")) << Narrow(shell);
    }
}

}  // namespace
