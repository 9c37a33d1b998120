// The operating-system define string: the lookup order of the keys in
// "OS_DEFINE", the downward search and its log lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigReader.h"
#include "FactsBuilder.h"
#include "OsDefine.h"
#include "PlatformTestSupport.h"

using namespace platform_test;

namespace {

using Lines = std::vector<std::wstring>;

const std::wstring kNotFound = L"OS Define not found, so installer finds Lastest Version OS Define";

std::wstring VersionLine(unsigned major, unsigned minor, int is64) {
    wchar_t line[128];
    swprintf(line, 128, L"OS Major Version [0x%04x] , minor version [0x%04x], 64bit [%d]", major, minor, is64);
    return line;
}
std::wstring Find(const std::wstring& key) { return L"Find Define ==> (" + key + L")"; }
std::wstring Found(const std::wstring& define) { return L"OS String was found ==> [" + define + L"]"; }

class OsDefineTest : public CLoggedTest {
protected:
    void SetUp() override {
        CLoggedTest::SetUp();
        context_.SetVariable(L"ARCH", L"X86");
        reader_.SetContext(&context_);
    }

    // Loads a data file whose "OS_DEFINE" section has |body| (no section at all
    // for a null body) and looks the define string up for |facts|.
    bool Run(const OS_VERSION_FACTS& facts, const wchar_t* body, std::wstring& define) {
        std::wstring text = L"[PROGRAM_INFO]\nMFG=Quorvel\n";
        if (body != nullptr) text += std::wstring(L"[OS_DEFINE]\n") + body;
        const std::wstring path = WriteProfile(L"setup" + std::to_wstring(files_++) + L".dat", text);
        reader_.Load(path.c_str(), path.c_str(), nullptr, false);
        define = L"<previous>";
        return FindOSDefine(facts, reader_, define);
    }

    CFixedConfigContext context_;
    CConfigReader reader_;
    int files_ = 0;
};

struct DefineCase {
    const char* name;
    OS_VERSION_FACTS facts;
    const wchar_t* body;
    const wchar_t* define;  // null: not found
    Lines log;
};

TEST_F(OsDefineTest, LookupOrderAndLogLines) {
    const DefineCase cases[] = {
        {"Windows 7 with only the Vista key", WindowsNt(6, 1, kWorkstation), L"0X00020600 = VISTA\n", L"VISTA",
         {kNotFound, VersionLine(6, 1, 0), Find(L"0X00020601"), Find(L"0X00020600"), Found(L"VISTA")}},
        {"Windows XP with only the 2000 key", WindowsNt(5, 1, kWorkstation), L"0X00020500 = W2K\n", L"W2K",
         {kNotFound, VersionLine(5, 1, 0), Find(L"0X00020501"), Find(L"0X00020500"), Found(L"W2K")}},
        {"Windows XP with its own key", WindowsNt(5, 1, kWorkstation), L"0X00020500 = W2K\n0X00020501 = WXP\n",
         L"WXP", {}},
        {"the workstation form comes before the plain key in the search", WindowsNt(6, 1, kWorkstation),
         L"0X00020600 = VISTA\n0X00020600.PRO = VISTA_PRO\n", L"VISTA_PRO",
         {kNotFound, VersionLine(6, 1, 0), Find(L"0X00020601"), Found(L"VISTA_PRO")}},
        {"a server skips the workstation form", WindowsNt(6, 0, kServer),
         L"0X00020600.PRO = VISTA_PRO\n0X00020505.SER = S\n", L"S",
         {kNotFound, VersionLine(6, 0, 0), Find(L"0X00020600.SER"), Find(L"0X00020600"), Find(L"0X00020505.SER"),
          Found(L"S")}},
        {"a domain controller tries its form before the logged server form", WindowsNt(5, 2, kDomainController),
         L"0X00020501.SER = S\n0X00020501.DOM = D\n", L"D",
         {kNotFound, VersionLine(5, 2, 0), Find(L"0X00020502.SER"), Find(L"0X00020502"), Found(L"D")}},
        {"64-bit: the .64 key before the plain one", WindowsNt(6, 0, kWorkstation, true),
         L"0X00020600 = VISTA\n0X00020600.64 = VISTA64\n", L"VISTA64", {}},
        {"64-bit: .64 before .64.PRO", WindowsNt(6, 1, kWorkstation, true),
         L"0X00020601.64.PRO = PRO64\n0X00020601.64 = WIN7_64\n", L"WIN7_64", {}},
        {"64-bit: .64.PRO before the plain key", WindowsNt(6, 1, kWorkstation, true),
         L"0X00020601 = WIN7\n0X00020601.64.PRO = PRO64\n", L"PRO64", {}},
        {"64-bit server: .64.SER, never .64.PRO", WindowsNt(6, 1, kServer, true),
         L"0X00020601.64.PRO = PRO64\n0X00020601.64.SER = SER64\n", L"SER64", {}},
        {"64-bit domain controller: .64.DOM before .64.SER", WindowsNt(6, 0, kDomainController, true),
         L"0X00020600.64.SER = SER64\n0X00020600.64.DOM = DOM64\n", L"DOM64", {}},
        {"64-bit domain controller without .64.DOM", WindowsNt(6, 0, kDomainController, true),
         L"0X00020600.64.SER = SER64\n", L"SER64", {}},
        {"64-bit without product type: no product forms", WindowsNtBasic(6, 1, true),
         L"0X00020601.64.PRO = PRO64\n0X00020601 = WIN7\n", L"WIN7", {}},
        {"64-bit takes the 32-bit key of its own version", WindowsNt(6, 1, kWorkstation, true),
         L"0X00020601 = WIN7\n", L"WIN7", {}},
        {"64-bit searches 64-bit keys only", WindowsNt(6, 1, kWorkstation, true),
         L"0X00020600 = VISTA\n0X00020600.64 = VISTA64\n", L"VISTA64",
         {kNotFound, VersionLine(6, 1, 1), Find(L"0X00020601.64"), Find(L"0X00020600.64"), Found(L"VISTA64")}},
        {"Windows 98 without a key", Windows9x(10), L"0X00020501 = WXP\n", nullptr, {}},
        {"Windows 95 does not search", Windows9x(0), L"0X0001040A = W98\n", nullptr, {}},
        {"Windows 98 SE", Windows9x(10, L"A", L"4.10.2222"), L"0X0001040A = W98\n0X0001045A = WME\n", L"W98", {}},
        {"Windows ME that reports 4.10", Windows9x(10, L"", L"4.90.3000"), L"0X0001040A = W98\n0X0001045A = WME\n",
         L"WME", {}},
        {"Windows ME", Windows9x(90), L"0X0001040A = W98\n0X0001045A = WME\n", L"WME", {}},
        {"Windows NT 4.0 searches 4.0 only", WindowsNt(4, 0, kWorkstation), L"0X00020500 = W2K\n", nullptr,
         {kNotFound, VersionLine(4, 0, 0), Find(L"0X00020400")}},
        {"Windows NT 3.51 has nothing to search", WindowsNt(3, 51, kWorkstation), L"0X00020400 = NT4\n", nullptr,
         {kNotFound, VersionLine(3, 51, 0)}},
        {"no OS_DEFINE section", WindowsNt(5, 0, kWorkstation), nullptr, nullptr,
         {kNotFound, VersionLine(5, 0, 0), Find(L"0X00020500"), Find(L"0X00020405"), Find(L"0X00020404"),
          Find(L"0X00020403"), Find(L"0X00020402"), Find(L"0X00020401"), Find(L"0X00020400")}},
    };
    for (const DefineCase& c : cases) {
        std::wstring define;
        const bool found = Run(c.facts, c.body, define);
        EXPECT_EQ(found, c.define != nullptr) << c.name;
        EXPECT_EQ(define, c.define ? c.define : L"") << c.name;
        EXPECT_EQ(LogMessages(), c.log) << c.name;
    }
}

TEST_F(OsDefineTest, MalformedAndOddEntries) {
    const struct {
        const char* name;
        const wchar_t* body;
        const wchar_t* define;
    } cases[] = {
        {"keys compare without case", L"0x00020601.pro = lower\n", L"lower"},
        {"keys with a digit too few or too many, or decorations swapped",
         L"0X0002061 = SHORT\n0X000200601 = LONG\n0X00020601.PRO.64 = SWAPPED\n0X00020601.X = X\n0X00020600 = VISTA\n",
         L"VISTA"},
        {"an empty value names nothing", L"0X00020601 =\n0X00020601.PRO = \n0X00020600 = VISTA\n", L"VISTA"},
        {"a key without a value names nothing", L"0X00020601\n0X00020600 = VISTA\n", L"VISTA"},
        {"the first of two equal keys", L"0X00020601 = FIRST\n0X00020601 = SECOND\n", L"FIRST"},
        {"values have path variables expanded", L"0X00020601 = WIN7_$ARCH$\n", L"WIN7_X86"},
        {"lines that are no entries", L"=\n= VALUE\n[\n0X00020600 = VISTA\n", L"VISTA"},
        {"only malformed entries", L"0X0002060 = SHORT\n= 0X00020601\n", nullptr},
    };
    for (const auto& c : cases) {
        std::wstring define;
        EXPECT_EQ(Run(WindowsNt(6, 1, kWorkstation), c.body, define), c.define != nullptr) << c.name;
        EXPECT_EQ(define, c.define ? c.define : L"") << c.name;
        LogMessages();
    }
}

TEST_F(OsDefineTest, LaterVersionsSearchDownToTheNewestKnownOne) {
    std::wstring define;
    ASSERT_TRUE(Run(WindowsNt(10, 0, kWorkstation, true), L"0X00020601.64 = WIN7_64\n0X00020600.64 = VISTA64\n",
                    define));
    EXPECT_EQ(define, L"WIN7_64");
    const Lines log = LogMessages();
    Lines searched;
    for (const std::wstring& line : log)
        if (line.rfind(L"Find Define ==> (", 0) == 0) searched.push_back(line);
    // 10.0, then 9.5 to 9.0, 8.5 to 8.0, 7.5 to 7.0, 6.5 to 6.1.
    ASSERT_EQ(searched.size(), 1u + 6u + 6u + 6u + 5u);
    EXPECT_EQ(searched.front(), Find(L"0X00020A00.64"));
    EXPECT_EQ(searched[1], Find(L"0X00020905.64"));
    EXPECT_EQ(searched.back(), Find(L"0X00020601.64"));
    EXPECT_EQ(log.back(), Found(L"WIN7_64"));
}

TEST_F(OsDefineTest, AFailedVersionQueryIsLoggedWithTheSystemError) {
    std::wstring define;
    EXPECT_FALSE(Run(UnknownVersion(ERROR_ACCESS_DENIED), L"0X00020601 = WIN7\n", define));
    EXPECT_EQ(define, L"");
    const Lines log = LogMessages();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], L"Get OS Version fail");
    EXPECT_EQ(log[1].rfind(L"Error Code = 5 :", 0), 0u) << testing::PrintToString(log[1]);
}

TEST_F(OsDefineTest, TheRunningSystemFindsItsKey) {
    const OS_VERSION_FACTS facts = QueryOSVersionFacts();
    ASSERT_TRUE(facts.known);
    std::wstring key = PlatformKey(facts.platformId, facts.majorVersion, facts.minorVersion);
    if (facts.is64BitWindows) key += L".64";
    const std::wstring body = key + L" = RUNNING\n0X00020400 = NT4\n";
    std::wstring define;
    EXPECT_TRUE(Run(facts, body.c_str(), define));
    define = L"<previous>";
    EXPECT_TRUE(FindOSDefine(reader_, define));
    EXPECT_EQ(define, L"RUNNING");
}

}  // namespace
