// setup's command line: tokens, switches and their values.
#include <gtest/gtest.h>

#include "CommandLine.h"

namespace {

std::wstring Switches(const COMMAND_LINE& line) {
    std::wstring text;
    for (const COMMAND_SWITCH& s : line.switches) text += std::wstring(1, s.name) + L"[" + s.value + L"]";
    return text;
}

TEST(CommandLine, SwitchesModesAndValues) {
    const struct {
        const wchar_t* text;
        int mode;
        bool silent;
        const wchar_t* switches;
    } cases[] = {
        {L"", 1, false, L""},
        {L"/U /S", 2, true, L"U[]S[]"},
        {L"-r", 3, false, L"R[]"},
        {L"/D", 6, false, L"D[]"},
        {L"/R /U /D /R", 3, false, L"R[]U[]D[]R[]"},
        {L"/L0x0412 -L1042", 1, false, L"L[0x0412]L[1042]"},
        {L"/A C:\\Target", 1, false, L"A[C:\\Target]"},
        // a value is cut at "-": the rest becomes a switch of its own
        {L"/A \"C:\\Program Files\\My-Printer\\x\"", 1, false, L"A[C:\\Program Files\\My]P[rinter\\x]"},
        {L"/P \t LPT2: /x /? /Q", 1, false, L"P[LPT2:]"},
        {L"//--/ /", 1, false, L""},
    };
    for (const auto& c : cases) {
        const COMMAND_LINE line = ParseCommandLine(c.text);
        EXPECT_EQ(line.runMode, c.mode) << c.text;
        EXPECT_EQ(line.silent, c.silent) << c.text;
        EXPECT_EQ(Switches(line), c.switches) << c.text;
    }
}

TEST(CommandLine, ALongLineIsCutAt8191Characters) {
    const std::wstring text = L"/S /A C:\\" + std::wstring(9000, L'x');
    const COMMAND_LINE line = ParseCommandLine(text);
    EXPECT_EQ(line.text.size(), 8191u);
    EXPECT_TRUE(line.silent);
    ASSERT_EQ(line.switches.size(), 2u);
    EXPECT_EQ(line.switches[1].value.size(), 8191u - 6u);
}

}  // namespace
