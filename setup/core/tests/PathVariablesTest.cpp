// Path variables: order of replacement, language overrides, relative paths.
#include <gtest/gtest.h>

#include <windows.h>

#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "PathVariables.h"

namespace {

PATH_VARIABLES Values() {
    PATH_VARIABLES v;
    v.languageAbbreviation = L"EN";
    v.requestedLanguageAbbreviation = L"BP";
    v.sourceDirectory = L"D:\\Setup";
    v.destinationDirectory = L"C:\\Program Files\\Quorvel";
    v.installDirectory = L"C:\\Program Files\\Quorvel\\Install";
    v.windowsDirectory = L"C:\\windows";
    v.systemDirectory = L"C:\\windows\\system32";
    v.infDirectory = L"C:\\windows\\Inf";
    v.osDirectory = L"WinXP_VISTA_64";
    v.programFilesDirectory = L"C:\\Program Files";
    v.languageDirectory = L"English";
    v.requestedLanguageDirectory = L"Portuguese";
    v.dataFile = L"D:\\Setup\\setup.dat";
    v.configFile = L"D:\\Setup\\data\\vxinst.vxi";
    v.stringFile = L"D:\\Setup\\data\\String\\Lang_EN.str";
    v.version = L"2.10";
    v.installerExe = L"setup.exe";
    v.ip = L"127.0.0.20";
    v.stringFileName = L"Lang_EN.str";
    v.port = L"USB001";
    v.languageId = 0x412;
    v.requestedLanguageId = 0x416;
    return v;
}

std::wstring Expanded(std::wstring text, const PATH_VARIABLES& values, const LANGUAGE_OVERRIDE* language = nullptr) {
    ExpandPathVariables(text, values, language);
    return text;
}

TEST(PathVariables, EveryVariableAndItsSpelling) {
    const PATH_VARIABLES v = Values();
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {
        {L"$SRC_DIR$\\data\\x.dat", L"D:\\Setup\\data\\x.dat"},
        {L"$src_dir$\\x", L"$src_dir$\\x"},
        {L"$LANG_ABBR$/$ORG_LANG_ABBR$/$LANG_DIR$/$ORG_LANG_DIR$", L"EN/BP/English/Portuguese"},
        {L"$DEST_DIR$|$DEST_INST_DIR$|$PROGRAM_FILES_DIR$", L"C:\\Program Files\\Quorvel|C:\\Program Files\\Quorvel\\Install|C:\\Program Files"},
        {L"$WIN_DIR$ $SYS_DIR$ $INF_DIR$ $OS_DIR$", L"C:\\windows C:\\windows\\system32 C:\\windows\\Inf WinXP_VISTA_64"},
        {L"$DATA_FILE$ $CONFIG_FILE$ $STRING_FILE$ $STRING_FILE_NAME$",
         L"D:\\Setup\\setup.dat D:\\Setup\\data\\vxinst.vxi D:\\Setup\\data\\String\\Lang_EN.str Lang_EN.str"},
        {L"$VERSION$ $INSTALLER_EXE$ $IP$ $PORT$", L"2.10 setup.exe 127.0.0.20 USB001"},
        {L"$LCID$ $ORG_LCID$", L"0412 0416"},
        {L"$BOOL_INSTALLED$$BOOL_!INSTALLED$", L"01"},
        {L"$UNKNOWN$ and $ $SRC_DIR$$SRC_DIR$", L"$UNKNOWN$ and $ D:\\SetupD:\\Setup"},
    };
    for (const auto& c : cases) EXPECT_EQ(Expanded(c.text, v), c.expected) << c.text;
    PATH_VARIABLES installed = v;
    installed.installed = true;
    EXPECT_EQ(Expanded(L"$BOOL_INSTALLED$$BOOL_!INSTALLED$", installed), L"10");
}

TEST(PathVariables, AValueIsSearchedOnlyForTheVariablesAfterIt) {
    PATH_VARIABLES v = Values();
    v.destinationDirectory = L"$WIN_DIR$\\Quorvel";
    v.windowsDirectory = L"C:\\$DEST_DIR$";
    EXPECT_EQ(Expanded(L"$DEST_DIR$", v), L"C:\\$DEST_DIR$\\Quorvel");
    EXPECT_EQ(Expanded(L"$WIN_DIR$", v), L"C:\\$DEST_DIR$");
}

TEST(PathVariables, LanguageOverridesWhenGivenAndNotEmpty) {
    const PATH_VARIABLES v = Values();
    LANGUAGE_OVERRIDE french{0x40C, L"FR", L"French"};
    EXPECT_EQ(Expanded(L"$LANG_ABBR$ $LANG_DIR$ $LCID$ $ORG_LCID$", v, &french), L"FR French 040C 0416");
    LANGUAGE_OVERRIDE empty{0, L"", nullptr};
    EXPECT_EQ(Expanded(L"$LANG_ABBR$ $LANG_DIR$ $LCID$", v, &empty), L"EN English 0412");
}

class ResolveFilePathTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qs_test::TempDirectory() + L"qs-paths-" + std::to_wstring(GetCurrentProcessId());
        qs_test::DeleteTree(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        log_ = std::make_unique<CLog>(folder_ + L"\\", L"setup.exe");
        SetGlobalLog(log_.get());
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        log_.reset();
        qs_test::DeleteTree(folder_);
    }
    std::wstring folder_;
    std::unique_ptr<CLog> log_;
};

TEST_F(ResolveFilePathTest, RelativePathsJoinTheSourceDirectory) {
    const struct {
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {L".\\data\\vxinst.vxi", L"D:\\Setup\\data\\vxinst.vxi"},
        {L"..\\common\\a.dat", L"D:\\common\\a.dat"},
        {L"data\\a.dat", L"D:\\Setup\\data\\a.dat"},
        {L"E:", L"E:"},
        {L"E:\\x\\a.dat", L"E:\\x\\a.dat"},
        {L"\\\\server\\share\\a.dat", L"\\\\server\\share\\a.dat"},
        {L"\\root.dat", L"\\root.dat"},
        {L"$SRC_DIR$\\a.dat", L"D:\\Setup\\a.dat"},
        {L"data\\$SRC_DIR$.dat", L"D:\\Setup\\data\\D:\\Setup.dat"},
        {L"", L"D:\\Setup\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveFilePath(c.path, L"D:\\Setup", false), c.expected) << c.path;
}

TEST_F(ResolveFilePathTest, TheExistenceCheckLogsAMissingFile) {
    qs_test::WriteProfileFile(folder_ + L"\\data\\present.dat", L"[S]\r\n");
    EXPECT_EQ(ResolveFilePath(L".\\data\\present.dat", folder_, true), folder_ + L"\\data\\present.dat");
    EXPECT_EQ(ResolveFilePath(L".\\data\\missing.dat", folder_, true), L"");
    EXPECT_EQ(ResolveFilePath(L".\\data", folder_, true), L"");  // a directory is not a file
    qs_test::SetupLog log;
    ASSERT_TRUE(qs_test::ReadSetupLog(log_->FilePath(), log));
    EXPECT_EQ(log.messages, (std::vector<std::wstring>{L"(" + folder_ + L"\\data\\missing.dat) file does not exist.",
                                                       L"(" + folder_ + L"\\data) file does not exist."}));
}

}  // namespace
