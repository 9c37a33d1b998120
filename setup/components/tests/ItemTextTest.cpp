// Options in installer parameters, share names and display placeholders.
#include <gtest/gtest.h>

#include "ItemText.h"

namespace {

using namespace item_text;

TEST(ItemTextTest, PrinterParametersCarryTheDriverIndexOrName) {
    struct Case {
        const wchar_t* parameters;
        int index;
        const wchar_t* driver;
        const wchar_t* expected;
    };
    const Case cases[] = {
        // The blank before the removed option and the one before /Q both stay.
        {L"/S /I 1 /Q", 3, L"", L"/S  /Q /I 3"},
        {L"/S /i 7", 0, L"", L"/S  /I 0"},
        // Options that merely begin with the letter are options of their own.
        {L"/IP /INF \"C:\\a.inf\"", 2, L"", L"/IP /INF \"C:\\a.inf\" /I 2"},
        {L"/IP /O \"Old\" /Q", -1, L" \"New Model\" ", L"/IP  /Q /O \"New Model\""},
        {L"/IP", -1, L"", L"/IP"},
    };
    for (const Case& c : cases) {
        std::wstring parameters = c.parameters;
        ModifyPrinterParameters(parameters, c.index, c.driver);
        EXPECT_EQ(parameters, c.expected) << c.parameters;
    }
    std::wstring tooLong(8186, L'x');
    ModifyPrinterParameters(tooLong, 12, L"");
    EXPECT_EQ(tooLong, L"");
}

TEST(ItemTextTest, ThePortReplacesAnyPortOption) {
    EXPECT_EQ(WithPrinterPort(L"/IP /P\"LPT1:\" /Q", L"USB001"), L"/IP  /Q /P\"USB001\"");
    EXPECT_EQ(WithPrinterPort(L"/IP", L""), L"/IP ");
    std::wstring value;
    EXPECT_TRUE(OptionValue(L"/US /U \"Model A\" /Q", L'U', value));
    EXPECT_EQ(value, L"Model A");
    EXPECT_FALSE(OptionValue(L"/US /UP", L'U', value));
}

TEST(ItemTextTest, ShareNamesComeFromTheDriverName) {
    struct Case {
        const wchar_t* driver;
        const wchar_t* maker;
        const wchar_t* share;
    };
    const Case cases[] = {
        {L"ACME KT-2010 Series", L"ACME", L"KT2010"},
        {L"ACME RX-600 PCL 6", L"ACME", L"RX"},
        {L"Acme Vizoda 55 PS", L"acme", L"P"},
        {L"Quorvel LX-3200 Series PS", L"Quorvel", L"LX"},
        {L"Other Dizaduvura 9", L"ACME", L"OTHERWC9"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShareNameOf(c.driver, c.maker), c.share) << c.driver;
}

TEST(ItemTextTest, DisplayTextsTakeTheModelName) {
    EXPECT_EQ(WithModelName(L"Install %MODEL% (%s)", L"LX"), L"Install LX (LX)");
    EXPECT_EQ(WithModelName(L"Driver %s and %s", L"LX"), L"Driver LX and LX");
    EXPECT_EQ(WithModelName(L"100% sure", L"LX"), L"100% sure");
}

}  // namespace
