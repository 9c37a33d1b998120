// Registry, copy and delete sections of the command file against the real
// registry and file system.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "ConfigContext.h"
#include "ConfigReader.h"
#include "FileCommands.h"
#include "InstHistory.h"
#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "Registry.h"
#include "RegistryCommands.h"

namespace {

const std::wstring kKey = L"Software\\qs-tests\\section-commands";
const std::wstring kHistory = L"Software\\qs-tests\\section-commands-history";

class SectionCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qs_test::TempDirectory() + L"qs-section-commands";
        qs_test::DeleteTree(folder_);
        CreateDirectoryW(folder_.c_str(), nullptr);
        log_ = std::make_unique<CLog>(folder_ + L"\\", L"setup.exe");
        SetGlobalLog(log_.get());
        reader_.SetContext(&context_);
        context_.SetVariable(L"SRC_DIR", folder_ + L"\\src");
        context_.SetVariable(L"DEST_DIR", folder_ + L"\\dest");
        CInstHistory::SetDefaultKey(kHistory);
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        log_.reset();
        CInstHistory::SetDefaultKey(L"");
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) CRegistry::DeleteKey(kKey.c_str(), false, root);
        CRegistry::DeleteKey(kHistory.c_str(), false, HKEY_LOCAL_MACHINE);
        qs_test::DeleteTree(folder_);
    }

    void LoadCommands(const std::wstring& text) {
        const std::wstring path = folder_ + L"\\vxinst" + std::to_wstring(files_++) + L".cmd";
        ASSERT_TRUE(qs_test::WriteProfileFile(path, text));
        ASSERT_TRUE(reader_.Load(path.c_str(), path.c_str(), nullptr, false));
    }
    std::vector<std::wstring> Logged() {
        qs_test::SetupLog log;
        qs_test::ReadSetupLog(log_->FilePath(), log);
        return log.messages;
    }
    static std::wstring Text(HKEY root, const wchar_t* name) {
        wchar_t text[CRegistry::kTextChars] = {};
        return CRegistry::GetValue(kKey.c_str(), name, text, root) == ERROR_SUCCESS ? text : L"<absent>";
    }
    static DWORD Number(HKEY root, const wchar_t* name) {
        DWORD number = 0xDEAD;
        CRegistry::GetValue(kKey.c_str(), name, &number, root);
        return number;
    }
    void Write(const std::wstring& relative, const char* content) {
        const std::wstring path = folder_ + L"\\" + relative;
        CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
        std::ofstream(path.c_str(), std::ios::binary) << content;
    }
    bool Exists(const std::wstring& relative) const {
        return GetFileAttributesW((folder_ + L"\\" + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    static DWORD RecordedFiles() {
        DWORD count = 0;
        CRegistry::GetValue(kHistory.c_str(), L"NumOfFiles", &count, HKEY_LOCAL_MACHINE);
        return count;
    }

    std::wstring folder_;
    std::unique_ptr<CLog> log_;
    CFixedConfigContext context_;
    CConfigReader reader_;
    SECTION_FACTS facts_{L"WIN7_64", L"EN"};
    int files_ = 0;
};

TEST_F(SectionCommandsTest, AddRegWritesEveryValueFormAndDelRegTakesThemBack) {
    LoadCommands(L"[ADD_REG.T]\n"
                 L"ROOTKEY = hkcu\n"
                 L"KEYNAME = " + kKey + L"\n"
                 L"VALUE = REG_SZ, Name, a,b,c\n"
                 L"VALUE = REG_DWORD, Hex, 0x1F\n"
                 L"VALUE = reg_dword, Dec, 12\n"
                 L"VALUE = REG_SZ ,, Spaced ,  text with blanks  \n"
                 L"VALUE = REG_SZ\n"
                 L"DELETE_KEY = 0\n"
                 L"[DEL_REG.T]\n"
                 L"ROOTKEY = HKCU\n"
                 L"KEYNAME = " + kKey + L"\n"
                 L"VALUE = REG_SZ, Name, a,b,c\n"
                 L"VALUE = Hex\n");
    ASSERT_TRUE(AddRegistrySection(reader_, L"ADD_REG.T", facts_));
    EXPECT_EQ(Text(HKEY_CURRENT_USER, L"Name"), L"a,b,c");
    EXPECT_EQ(Number(HKEY_CURRENT_USER, L"Hex"), 31u);
    EXPECT_EQ(Number(HKEY_CURRENT_USER, L"Dec"), 12u);
    EXPECT_EQ(Text(HKEY_CURRENT_USER, L"Spaced"), L"text with blanks");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, L"REG_SZ"), L"<absent>");  // a type alone names no value
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, L"Name"), L"<absent>");

    // Bare value names and repeated add lines both delete; the key stays.
    ASSERT_TRUE(DeleteRegistrySection(reader_, L"DEL_REG.T", facts_));
    EXPECT_EQ(Text(HKEY_CURRENT_USER, L"Name"), L"<absent>");
    EXPECT_EQ(Number(HKEY_CURRENT_USER, L"Hex"), 0xDEADu);
    EXPECT_EQ(Number(HKEY_CURRENT_USER, L"Dec"), 12u);
    // Deleting what was never written is no failure.
    EXPECT_TRUE(DeleteRegistrySection(reader_, L"DEL_REG.T", facts_));
}

TEST_F(SectionCommandsTest, RootKeyIsTheCurrentUserOnlyWhenItSaysHkcu) {
    LoadCommands(L"[SPELLED]\nROOTKEY = HKEY_CURRENT_USER\nKEYNAME = " + kKey + L"\nVALUE = REG_SZ, Where, spelled\n"
                 L"[NONE]\nKEYNAME = " + kKey + L"\nVALUE = REG_SZ, Default, machine\n"
                 L"[GONE]\nROOTKEY = HKLM\nKEYNAME = " + kKey + L"\\Sub\nVALUE = Where\nDELETE_KEY = 1\n");
    ASSERT_TRUE(AddRegistrySection(reader_, L"SPELLED", facts_));
    ASSERT_TRUE(AddRegistrySection(reader_, L"NONE", facts_));
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, L"Where"), L"spelled");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, L"Default"), L"machine");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, L"Where"), L"<absent>");

    // DELETE_KEY takes the key, its sub-keys and the parents it leaves empty.
    ASSERT_EQ(CRegistry::SetValue((kKey + L"\\Sub\\Deeper").c_str(), L"x", L"y", HKEY_LOCAL_MACHINE), 0u);
    ASSERT_TRUE(DeleteRegistrySection(reader_, L"GONE", facts_));
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, L"Where"), L"spelled");  // its parent is not empty
    wchar_t text[CRegistry::kTextChars] = {};
    EXPECT_NE(CRegistry::GetValue((kKey + L"\\Sub\\Deeper").c_str(), L"x", text, HKEY_LOCAL_MACHINE), 0u);
    const std::vector<std::wstring> logged = Logged();
    EXPECT_NE(std::find(logged.begin(), logged.end(), L"Delete Key (" + kKey + L"\\Sub) "), logged.end());
}

TEST_F(SectionCommandsTest, FailuresNameWhatFailed) {
    LoadCommands(L"[EMPTY_KEY]\nKEYNAME =\nVALUE = REG_SZ, A, b\n[NO_KEY]\nVALUE = REG_SZ, A, b\n");
    struct Case {
        bool add;
        const wchar_t* section;
        const wchar_t* line;
    };
    const Case cases[] = {
        {true, L"", L"Get Add registry section error!"},
        {false, L"", L"Get Delete registry section error!"},
        {true, L"EMPTY_KEY", L"Get Add registry Key Name error!"},
        {true, L"NO_KEY", L"Get Add registry Key Name error!"},
        {false, L"EMPTY_KEY", L"Get Delete registry Key Name error!"},
    };
    for (const Case& c : cases) {
        const bool result = c.add ? AddRegistrySection(reader_, c.section, facts_)
                                  : DeleteRegistrySection(reader_, c.section, facts_);
        EXPECT_FALSE(result) << c.section;
        EXPECT_EQ(Logged().back(), c.line);
    }
}

TEST_F(SectionCommandsTest, SectionsApplyByOperatingSystemAndLanguage) {
    struct Case {
        const wchar_t* filter;
        bool applies;
    };
    const Case cases[] = {
        {L"UNSUPPORTED_OS = w95, win7_64", false},
        {L"UNSUPPORTED_OS = W95", true},
        {L"SUPPORTED_OS = WINXP, WIN7_64 ", true},
        {L"SUPPORTED_OS = WINXP", false},
        {L"SUPPORTED_OS =", false},
        {L"UNSUPPORTED_OS =", true},
        {L"SUPPORTED_LANG = DE, en", true},
        {L"UNSUPPORTED_LANG = EN", false},
        {L"SUPPORTED_OS = WIN7_64\nUNSUPPORTED_LANG = FR", true},
    };
    for (const Case& c : cases) {
        LoadCommands(L"[S]\nKEYNAME = " + kKey + L"\nVALUE = REG_SZ, Applied, yes\n" + c.filter + L"\n");
        CRegistry::DeleteKey(kKey.c_str(), false, HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(AddRegistrySection(reader_, L"S", facts_)) << c.filter;
        EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, L"Applied") == L"yes", c.applies) << c.filter;
    }
}

TEST_F(SectionCommandsTest, CopySectionCopiesFilesAndTreesAndRecordsWhatItWasAskedTo) {
    Write(L"src\\a.dll", "a");
    Write(L"src\\b.dll", "b");
    Write(L"src\\Drv\\top.inf", "top");
    Write(L"src\\Drv\\Sub\\deep.cat", "deep");
    LoadCommands(L"[COPY]\n"
                 L"FILE = $SRC_DIR$\\a.dll, $DEST_DIR$\\a.dll\n"
                 L"FILE = \"$SRC_DIR$\\b.dll\", \"$DEST_DIR$\\b.dll\", 0\n"
                 L"DIRECTORY = $SRC_DIR$\\Drv, $DEST_DIR$\\Flat, 0\n"
                 L"DIRECTORY = $SRC_DIR$\\Drv, $DEST_DIR$\\Tree\n"
                 L"FILE = $SRC_DIR$\\missing.dll, $DEST_DIR$\\missing.dll\n"
                 L"[SKIPPED]\nUNSUPPORTED_OS = Win7_64\nFILE = $SRC_DIR$\\a.dll, $DEST_DIR$\\skipped.dll\n");
    ASSERT_TRUE(CopySection(reader_, L"COPY", facts_));
    for (const wchar_t* copied : {L"dest\\a.dll", L"dest\\b.dll", L"dest\\Flat\\top.inf", L"dest\\Tree\\top.inf",
                                  L"dest\\Tree\\Sub\\deep.cat"})
        EXPECT_TRUE(Exists(copied)) << copied;
    EXPECT_FALSE(Exists(L"dest\\Flat\\Sub"));
    EXPECT_FALSE(Exists(L"dest\\missing.dll"));
    // a.dll and the three tree files; b.dll was asked not to be recorded.
    EXPECT_EQ(RecordedFiles(), 4u);

    EXPECT_TRUE(CopySection(reader_, L"SKIPPED", facts_));
    EXPECT_FALSE(Exists(L"dest\\skipped.dll"));
    EXPECT_FALSE(CopySection(reader_, L"", facts_));
    EXPECT_FALSE(CopySection(reader_, L"NOT_THERE", facts_));
}

TEST_F(SectionCommandsTest, DeleteSectionDeletesFilesAndTreesButNeverASystemFolder) {
    Write(L"dest\\x.tmp", "x");
    Write(L"dest\\Cache\\one", "1");
    Write(L"dest\\Cache\\Deeper\\two", "2");
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    LoadCommands(std::wstring(L"[DELETE]\n"
                              L"FILE = $DEST_DIR$\\x.tmp\n"
                              L"OLD_FILE = $DEST_DIR$\\never-there.tmp\n"
                              L"DIRECTORY = $DEST_DIR$\\Cache\n"
                              L"DIRECTORY = ") +
                 windows + L"\n");
    ASSERT_TRUE(DeleteSection(reader_, L"DELETE", facts_));
    EXPECT_FALSE(Exists(L"dest\\x.tmp"));
    EXPECT_FALSE(Exists(L"dest\\Cache"));
    EXPECT_NE(GetFileAttributesW((std::wstring(windows) + L"\\system32").c_str()), INVALID_FILE_ATTRIBUTES);
    const std::vector<std::wstring> logged = Logged();
    EXPECT_NE(std::find(logged.begin(), logged.end(),
                        L"Delete directory (" + std::wstring(windows) + L") refused: the system keeps this folder"),
              logged.end());
}

}  // namespace
