// snaplet's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SnapletOptions.h"

namespace {

SnapletOptions Parse(std::vector<const wchar_t*> arguments) {
    arguments.insert(arguments.begin(), L"snaplet.exe");
    return ParseSnapletOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(SnapletOptions, FlagsPrinterNamesAndWhatIsIgnored) {
    const struct {
        std::vector<const wchar_t*> arguments;
        bool screen, window, ie, gui;
        const wchar_t* printer;
    } cases[] = {
        {{}, false, false, false, false, L""},
        {{L"-screen"}, true, false, false, false, L""},
        {{L"-SCREEN", L"-Window", L"-ie", L"-GUI"}, true, true, true, true, L""},
        {{L"-p=Office"}, false, false, false, false, L"Office"},
        {{L"-P=Office Printer"}, false, false, false, false, L"Office Printer"},
        {{L"-printer=Office"}, false, false, false, false, L"Office"},
        {{L"-PRINTER=Mixed Case"}, false, false, false, false, L"Mixed Case"},
        // Everything after the first "=" is the name, "=" included.
        {{L"-p=a=b"}, false, false, false, false, L"a=b"},
        {{L"-printer=\\\\server\\share"}, false, false, false, false, L"\\\\server\\share"},
        // A later printer replaces an earlier one, also with nothing.
        {{L"-p=First", L"-printer=Second"}, false, false, false, false, L"Second"},
        {{L"-p=First", L"-p="}, false, false, false, false, L""},
        // Whole arguments only; no other spellings.
        {{L"-screens", L"screen", L"/screen", L"-scree", L"--screen", L"-p", L"-printer", L"-pr=x", L"-p:x", L""},
         false, false, false, false, L""},
        {{L"-screen", nullptr, L"-gui"}, true, false, false, true, L""},
    };
    for (const auto& c : cases) {
        std::wstring label;
        for (const wchar_t* a : c.arguments) label += std::wstring(L" ") + (a != nullptr ? a : L"(null)");
        const SnapletOptions options = Parse(c.arguments);
        const std::string narrow(label.begin(), label.end());
        EXPECT_EQ(options.screen, c.screen) << narrow;
        EXPECT_EQ(options.window, c.window) << narrow;
        EXPECT_EQ(options.ie, c.ie) << narrow;
        EXPECT_EQ(options.gui, c.gui) << narrow;
        EXPECT_EQ(options.printer, c.printer) << narrow;
    }
}

}  // namespace
