// Choosing a language from the data file's tables.
#include <gtest/gtest.h>

#include <windows.h>

#include "ConfigReader.h"
#include "LanguageInfo.h"
#include "Log.h"
#include "LogReader.h"
#include "Medium.h"

namespace {

class LanguageInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qs_test::TempDirectory() + L"qs-lang-" + std::to_wstring(GetCurrentProcessId());
        qs_test::DeleteTree(folder_);
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override { qs_test::DeleteTree(folder_); }

    // A data reader over |text|.
    CConfigReader& Data(const std::wstring& text) {
        const std::wstring path = folder_ + L"\\setup" + std::to_wstring(++files_) + L".dat";
        qs_test::WriteProfileFile(path, text);
        reader_ = std::make_unique<CConfigReader>();
        reader_->Load(path.c_str(), path.c_str(), nullptr, false);
        return *reader_;
    }

    std::wstring folder_;
    int files_ = 0;
    std::unique_ptr<CConfigReader> reader_;
};

TEST_F(LanguageInfoTest, SupportCountryMappingAndFallback) {
    const struct {
        const wchar_t* table;
        std::uint32_t request;
        std::uint32_t language;
        std::uint32_t requested;
    } cases[] = {
        // the primary language of the request matches a listed primary identifier
        {L"[PROGRAM_LANG_INFO]\r\n0X0409\r\n0X000C = French\r\n", 0x0C0C, 0x000C, 0x000C},
        // a full identifier of another country does not match
        {L"[PROGRAM_LANG_INFO]\r\n0X0409\r\n0X040C\r\n", 0x0C0C, 9, 9},
        // mapped by country, both supported
        {L"[PROGRAM_LANG_INFO]\r\n0X0416\r\n0X0816\r\n[COUNTRY_LANG_CODE]\r\n0X0416=0X0816\r\n", 0x0416, 0x0816, 0x0416},
        // mapped by primary language to one that is not supported
        {L"[PROGRAM_LANG_INFO]\r\n0X0013\r\n[COUNTRY_LANG_CODE]\r\n0X0013=0X0007\r\n", 0x0813, 9, 0x0013},
        // not listed at all; no table at all
        {L"[PROGRAM_LANG_INFO]\r\n0X0009\r\n", 0x0411, 9, 9},
        {L"[OTHER]\r\n", 0x0407, 9, 9},
        // garbage lines are numbers 0 and match nothing
        {L"[PROGRAM_LANG_INFO]\r\nnonsense\r\n0x\r\n=\r\n0X0007\r\n", 0x0407, 0x0007, 0x0007},
    };
    for (const auto& c : cases) {
        CLanguageInfo language(0x0409);
        ASSERT_TRUE(language.Select(&Data(c.table), c.request, false));
        EXPECT_EQ(language.LanguageId(), c.language) << c.table;
        EXPECT_EQ(language.RequestedLanguageId(), c.requested) << c.table;
    }
}

TEST_F(LanguageInfoTest, AbbreviationsFromTheTableThenBuiltIn) {
    CConfigReader& data = Data(L"[PROGRAM_LANG_INFO]\r\n0X0416\r\n0X0816\r\n[COUNTRY_LANG_CODE]\r\n0X0416=0X0816\r\n"
                               L"[LANGUAGE_ABBR]\r\n0X0816=PT\r\n0X0016=PX\r\n[LANGUAGE_DIR]\r\n0X0016=Portuguese\r\n");
    CLanguageInfo language(0x0409);
    language.Select(&data, 0x0416, false);
    EXPECT_EQ(language.Abbreviation(), L"PT");           // full identifier
    EXPECT_EQ(language.RequestedAbbreviation(), L"PX");  // primary identifier
    EXPECT_EQ(language.Directory(), L"Portuguese");

    const struct {
        std::uint32_t id;
        const wchar_t* abbreviation;
    } builtIn[] = {{0x0412, L"KR"}, {0x0404, L"CT"}, {0x0804, L"CP"}, {0x0401, L"AB"}, {0x0418, L"EN"},
                   {0x0416, L"BP"}, {0x0816, L"PT"}, {0x0C16, L""},   {0x0409, L"EN"}, {0x0407, L"GR"}};
    CLanguageInfo none(0x0409);
    none.ReadLanguageTable(&Data(L"[OTHER]\r\n"));
    for (const auto& b : builtIn) EXPECT_EQ(none.Lookup(b.id, L"LANGUAGE_ABBR"), b.abbreviation) << std::hex << b.id;
}

TEST_F(LanguageInfoTest, SelectingLogsAndTheSameRequestChangesNothing) {
    qs_test::SetupLog log;
    std::wstring path;
    {
        CLog file(folder_ + L"\\", L"setup.exe");
        path = file.FilePath();
        SetGlobalLog(&file);
        CConfigReader& data = Data(L"[PROGRAM_LANG_INFO]\r\n0X0009\r\n0X0007\r\n[LANGUAGE_DIR]\r\n0X0007=German\r\n");
        CLanguageInfo language(0x0407);
        language.ReadLanguageTable(&data);
        EXPECT_EQ(language.SystemLanguageId(), 0x0007u);
        EXPECT_EQ(language.SystemAbbreviation(), L"GR");
        EXPECT_TRUE(language.Select(&data, 0, false));  // the system language
        EXPECT_FALSE(language.Select(&data, 0x0007, false));
        EXPECT_TRUE(language.Select(&data, 0x0007, true));
        SetGlobalLog(nullptr);
    }
    ASSERT_TRUE(qs_test::ReadSetupLog(path, log));
    ASSERT_EQ(log.messages.size(), 16u);
    EXPECT_EQ(std::vector<std::wstring>(log.messages.begin(), log.messages.begin() + 8),
              (std::vector<std::wstring>{
                  L"Set Language : Language ID\t\t= 0X0007", L"Set Language : Language Abbr\t\t= GR",
                  L"Set Language : System Language ID\t= 0X0007", L"Set Language : System Language Abbr = GR",
                  L"Set Language : Language Dir\t\t= German", L"Set Language : Org Language ID\t\t= 0X0007",
                  L"Set Language : Org Language Abbr\t\t= GR", L"Set Language : Org Language Dir\t\t= German"}));
}

}  // namespace
