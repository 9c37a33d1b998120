// Changing the language: what is recorded, which files the readers use, who follows.
#include <gtest/gtest.h>

#include <windows.h>

#include "ConfigFiles.h"
#include "LanguageChange.h"
#include "LanguageInfo.h"
#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "Registry.h"
#include "RegistryLanguageRecord.h"
#include "RegistrySnapshot.h"

namespace {

struct Write {
    std::uint32_t languageId;
    std::wstring abbreviation, previousStringFile;
};

class CFakeRecord : public CLanguageRecord {
public:
    bool RecordedLanguage(std::uint32_t& languageId) override {
        if (recorded == 0) return false;
        languageId = recorded;
        return true;
    }
    void RecordLanguage(std::uint32_t id, const std::wstring& abbreviation, const std::wstring& previous) override {
        writes.push_back({id, abbreviation, previous});
    }
    std::uint32_t recorded = 0;
    std::vector<Write> writes;
};

class CFakeFollower : public CLanguageFollower {
public:
    void ShowWaitCursor(bool on) override { cursor += on ? L"+" : L"-"; }
    void ReloadOptions() override { ++optionReloads; }
    void RefreshNetworkMessages() override { ++networkRefreshes; }
    void RefreshAfterCommand() override { ++commandRefreshes; }
    std::wstring cursor;
    int optionReloads = 0, networkRefreshes = 0, commandRefreshes = 0;
};

class LanguageChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        medium_ = qs_test::TempDirectory() + L"qs-langchange-" + std::to_wstring(GetCurrentProcessId());
        qs_test::DeleteTree(medium_);
        CreateDirectoryW(medium_.c_str(), nullptr);
        const std::pair<const wchar_t*, const wchar_t*> files[] = {
            {L"setup.dat",
             L"[INSTALLER_FILE_INFO]\r\nCONFIGURE_FILE=.\\data\\vxinst.vxi\r\nCONFIGURE_FILE.FR=.\\data\\vxinst_fr.vxi\r\n"
             L"COMMAND_FILE=.\\data\\vxinst.cmd\r\nSTRING_FILE_FORMAT=.\\data\\String\\Lang_%s.str\r\n"
             L"[PROGRAM_LANG_INFO]\r\n0X0009\r\n0X000C\r\n0X0007\r\n"
             L"[LANGUAGE_ABBR]\r\n0X0009=EN\r\n0X000C=FR\r\n0X0007=DE\r\n[STRINGS]\r\n%MAKER%=Quorvel\r\n"},
            {L"data\\vxinst.vxi", L"[PAGE]\r\nTITLE=@TITLE@ %MAKER%\r\nFILE=default\r\n"},
            {L"data\\vxinst_fr.vxi", L"[PAGE]\r\nTITLE=@TITLE@ %MAKER%\r\nFILE=french\r\n"},
            {L"data\\vxinst.cmd", L"[CMD]\r\nTEXT=@TITLE@\r\n"},
            {L"data\\String\\Lang_EN.str", L"[MESSAGES]\r\nTITLE=Welcome\r\n"},
            {L"data\\String\\Lang_FR.str", L"[MESSAGES]\r\nTITLE=Bienvenue\r\n"},
        };
        for (const auto& [name, text] : files) qs_test::WriteProfileFile(medium_ + L"\\" + name, text);
        log_ = std::make_unique<CLog>(medium_ + L"\\", L"setup.exe");
        SetGlobalLog(log_.get());
        ASSERT_TRUE(files_.Load(medium_, L"setup"));
        language_.ReadLanguageTable(&files_.Data());
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        log_.reset();
        qs_test::DeleteTree(medium_);
    }
    std::wstring Read(CConfigReader& reader, const wchar_t* section, const wchar_t* key) {
        std::wstring value;
        return reader.GetString(section, key, value, false) ? value : L"<missing>";
    }
    std::vector<std::wstring> LogLines() {
        qs_test::SetupLog log;
        qs_test::ReadSetupLog(log_->FilePath(), log);
        return log.messages;
    }

    std::wstring medium_;
    std::unique_ptr<CLog> log_;
    CConfigFiles files_;
    CLanguageInfo language_{0x0409};
    CFakeRecord record_;
    CFakeFollower follower_;
    CLanguageChange change_{language_, files_, record_, follower_};
};

TEST_F(LanguageChangeTest, AtStartUpTheRecordedLanguageIsTakenAndEveryReaderFollows) {
    record_.recorded = 0x000C;
    ASSERT_TRUE(change_.Change(0, false));
    EXPECT_EQ(language_.Abbreviation(), L"FR");
    ASSERT_EQ(record_.writes.size(), 1u);
    EXPECT_EQ(record_.writes[0].languageId, 0x000Cu);
    EXPECT_EQ(record_.writes[0].abbreviation, L"FR");
    EXPECT_EQ(record_.writes[0].previousStringFile, medium_ + L"\\data\\String\\Lang_EN.str");
    EXPECT_EQ(files_.StringFile(), medium_ + L"\\data\\String\\Lang_FR.str");
    EXPECT_EQ(files_.StringFileName(), L"Lang_FR.str");
    EXPECT_EQ(Read(files_.Configuration(), L"PAGE", L"FILE"), L"french");
    EXPECT_EQ(Read(files_.Configuration(), L"PAGE", L"TITLE"), L"Bienvenue Quorvel");
    EXPECT_EQ(Read(files_.Command(), L"CMD", L"TEXT"), L"Bienvenue");
    EXPECT_EQ(Read(files_.Strings(), L"MESSAGES", L"TITLE"), L"Bienvenue");
    EXPECT_EQ(follower_.optionReloads, 1);
    EXPECT_EQ(follower_.networkRefreshes, 1);
    EXPECT_EQ(follower_.commandRefreshes, 0);
    EXPECT_EQ(follower_.cursor, L"+-");
    const std::vector<std::wstring> lines = LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], L"Set Language : String file\t\t= Lang_FR.str");
    EXPECT_EQ(lines.back(), L"Set Language : Configure file\t\t= " + medium_ + L"\\data\\vxinst_fr.vxi");
}

TEST_F(LanguageChangeTest, WithoutARecordedLanguageTheSystemLanguageIsTaken) {
    ASSERT_TRUE(change_.Change(0, false));
    EXPECT_EQ(language_.LanguageId(), 9u);
    EXPECT_EQ(Read(files_.Configuration(), L"PAGE", L"TITLE"), L"Welcome Quorvel");
    EXPECT_EQ(Read(files_.Configuration(), L"PAGE", L"FILE"), L"default");
    EXPECT_EQ(record_.writes.size(), 1u);
}

TEST_F(LanguageChangeTest, ByCommandTheSameLanguageChangesNothing) {
    ASSERT_TRUE(change_.Change(0, false));
    const std::size_t linesBefore = LogLines().size();
    ASSERT_TRUE(change_.Change(9, true));
    EXPECT_EQ(record_.writes.size(), 1u);
    EXPECT_EQ(follower_.optionReloads, 1);
    EXPECT_EQ(follower_.commandRefreshes, 0);
    EXPECT_EQ(LogLines().size(), linesBefore);
    EXPECT_EQ(follower_.cursor, L"+-+-");
}

TEST_F(LanguageChangeTest, AMissingStringFileFallsBackToEnglish) {
    ASSERT_TRUE(change_.Change(0, false));
    ASSERT_TRUE(change_.Change(0x0407, true));
    EXPECT_EQ(language_.Abbreviation(), L"DE");
    EXPECT_EQ(files_.StringFileForLanguage(), medium_ + L"\\data\\String\\Lang_DE.str");
    EXPECT_EQ(files_.StringFile(), medium_ + L"\\data\\String\\Lang_EN.str");
    EXPECT_EQ(Read(files_.Command(), L"CMD", L"TEXT"), L"Welcome");
    EXPECT_EQ(follower_.commandRefreshes, 1);
    ASSERT_EQ(record_.writes.size(), 2u);
    EXPECT_EQ(record_.writes[1].languageId, 0x0007u);
    EXPECT_EQ(record_.writes[1].abbreviation, L"DE");
}

}  // namespace

namespace {

// The same change recorded in the real registry.
class RegistryLanguageRecordTest : public LanguageChangeTest {
protected:
    void SetUp() override {
        LanguageChangeTest::SetUp();
        root_ = L"Software\\QsTest\\Language" + std::to_wstring(GetCurrentProcessId());
    }
    void TearDown() override {
        CRegistry::DeleteKey(root_.c_str(), false, HKEY_LOCAL_MACHINE);
        LanguageChangeTest::TearDown();
    }
    std::wstring root_;
};

TEST_F(RegistryLanguageRecordTest, TheRecordedLanguageIsReadAndTheNewOneWritten) {
    ASSERT_EQ(CRegistry::SetValue((root_ + L"\\Installed").c_str(), L"LangCode", DWORD{0x000C}, HKEY_LOCAL_MACHINE), 0u);
    CRegistryLanguageRecord record(root_ + L"\\Installed", root_ + L"\\Installing");
    CLanguageChange change(language_, files_, record, follower_);
    ASSERT_TRUE(change.Change(0, false));
    EXPECT_EQ(language_.Abbreviation(), L"FR");
    const qs_test::RegistrySnapshot after = qs_test::RegistrySnapshot::Take(L"HKLM\\" + root_ + L"\\Installing");
    EXPECT_EQ(after.Value(L"HKLM\\" + root_ + L"\\Installing", L"LangCode"), L"dword:0000000c");
    EXPECT_EQ(after.Value(L"HKLM\\" + root_ + L"\\Installing", L"LangAbbr"), L"\"FR\"");
    std::wstring previous = medium_ + L"\\data\\String\\Lang_EN.str", escaped;
    for (wchar_t c : previous) escaped += c == L'\\' ? std::wstring(L"\\\\") : std::wstring(1, c);
    EXPECT_EQ(after.Value(L"HKLM\\" + root_ + L"\\Installing", L"STR_FILE"), L"\"" + escaped + L"\"");
}

}  // namespace
