// Substitutions and section resolution of the configuration reader.
#include <gtest/gtest.h>

#include <string>

#include "ConfigReader.h"
#include "TestFiles.h"

namespace {

class ConfigReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = folder_.Path(L"setup.dat");
        messages_ = folder_.Path(L"Lang_EN.str");
        WriteUnits(data_, L"[STRINGS]\n%MAKER%=\"Quorvel\"\n");
        WriteUnits(messages_, L"[MESSAGES]\nSHORT=ab\nTITLE=%MAKER% Setup\nNESTED=see @SHORT@\nLINE=a\\nb\n");
        context_.SetVariable(L"SRC_DIR", L"C:\\medium");
        context_.osDefine = L"XP";
        reader_.SetContext(&context_);
    }
    void LoadMain(const std::wstring& text) {
        const std::wstring path = folder_.Path(L"main.vxi");
        WriteUnits(path, text);
        reader_.Load(path.c_str(), data_.c_str(), messages_.c_str(), false);
    }
    std::wstring Read(const wchar_t* key, bool expand = true) {
        std::wstring out = L"<unread>";
        if (!reader_.GetString(L"S", key, out, expand)) return L"<failed>";
        return out;
    }

    CTestFolder folder_;
    std::wstring data_, messages_;
    CFixedConfigContext context_;
    CConfigReader reader_;
};

TEST_F(ConfigReaderTest, MessagesAndPathVariables) {
    LoadMain(L"[S]\nA=@TITLE@ in $SRC_DIR$\nB=@SHORTX@ and @SHORT@@SHORT@!\nC=@NESTED@\nD=@LINE@\n"
             L"E=mail@127.0.0.9 @SHORT@\n");
    EXPECT_EQ(Read(L"A"), L"Quorvel Setup in C:\\medium");
    EXPECT_EQ(Read(L"A", false), L"Quorvel Setup in $SRC_DIR$");
    EXPECT_EQ(Read(L"B"), L"@SHORTX@ and abab!");
    EXPECT_EQ(Read(L"C"), L"see @SHORT@");
    EXPECT_EQ(Read(L"D"), L"a\nb");
    EXPECT_EQ(Read(L"E"), L"mail@127.0.0.9 @SHORT@");
    EXPECT_EQ(Read(L"NONE"), L"<failed>");
    context_.pathVariablesOff = true;
    EXPECT_EQ(Read(L"A"), L"Quorvel Setup in $SRC_DIR$");
}

TEST_F(ConfigReaderTest, AReaderWithoutFilesFindsNothing) {
    std::wstring out;
    EXPECT_FALSE(reader_.GetString(L"S", L"A", out, true));
    reader_.Load(folder_.Path(L"missing.vxi").c_str(), nullptr, nullptr, false);
    EXPECT_TRUE(reader_.MainLoaded());
    EXPECT_FALSE(reader_.GetString(L"S", L"A", out, true));
    EXPECT_FALSE(reader_.ResolveSection(L"S", out));
}

TEST_F(ConfigReaderTest, AllEntriesAreSubstitutedOneByOne) {
    LoadMain(L"[S]\nA=@SHORT@ $SRC_DIR$\nBARE\nB=%MAKER%\n");
    std::vector<std::wstring> entries;
    ASSERT_TRUE(reader_.GetAllEntries(L"S", entries, true));
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"A = ab C:\\medium", L"BARE", L"B = Quorvel"}));
    context_.pathVariablesOff = true;
    ASSERT_TRUE(reader_.GetAllEntries(L"S", entries, true));
    EXPECT_EQ(entries[0], L"A = ab $SRC_DIR$");
    EXPECT_FALSE(reader_.GetAllEntries(L"NONE", entries, true));
}

TEST_F(ConfigReaderTest, ResolutionPicksTheMostSpecificVariant) {
    const struct {
        bool network, wireless, usbOnly;
        const wchar_t* sections;
        const wchar_t* expected;  // nullptr: resolution fails
    } cases[] = {
        {true, true, false, L"[SETUP.EN.NETWORK]\n[SETUP.XP.WIRELESS]\n[SETUP]\n", L"SETUP.XP.WIRELESS"},
        {true, true, false, L"[setup.xp.en.network.wireless]\n[SETUP.XP.WIRELESS]\n", L"SETUP.XP.EN.NETWORK.WIRELESS"},
        {false, false, false, L"[SETUP]\n[SETUP.EN]\n[SETUP.XP]\n", L"SETUP.XP"},
        {false, false, false, L"[SETUP]\n[SETUP.NETWORK]\n", L"SETUP"},
        {false, true, true, L"[SETUP.USB]\n[SETUP.WIRELESS]\n[SETUP]\n", L"SETUP.USB"},
        {true, false, true, L"[SETUP.NETWORK.USB]\n[SETUP.NETWORK]\n", L"SETUP.NETWORK.USB"},
        {false, false, false, L"[OTHER]\n", nullptr},
        {false, false, false, L"[SETUP X]\n", nullptr},
    };
    for (const auto& c : cases) {
        context_.network = c.network;
        context_.wireless = c.wireless;
        context_.usbOnly = c.usbOnly;
        LoadMain(c.sections);
        std::wstring out = L"unchanged";
        EXPECT_EQ(reader_.ResolveSection(L"Setup", out), c.expected != nullptr) << c.sections;
        EXPECT_EQ(out, c.expected ? c.expected : L"unchanged") << c.sections;
    }
}

TEST_F(ConfigReaderTest, ResolutionSeesEveryNameOfALongList) {
    std::wstring text;
    for (int i = 0; i < 3000; ++i) text += L"[FILLER_SECTION_" + std::to_wstring(i) + L"]\n";
    text += L"[SETUP.XP]\n";
    LoadMain(text);
    std::wstring out;
    EXPECT_TRUE(reader_.ResolveSection(L"SETUP", out));
    EXPECT_EQ(out, L"SETUP.XP");
    EXPECT_TRUE(reader_.HasSection(L"filler_section_2999"));
    EXPECT_FALSE(reader_.HasSection(L"\"SETUP.XP\""));
}

}  // namespace
