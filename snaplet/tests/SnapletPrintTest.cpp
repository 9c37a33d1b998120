// snaplet.exe under Wine on a virtual display, printing to files through
// Wine's PostScript driver; ghostscript renders the pages and the tests look
// for the test pattern on them.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>

#include "SnapletTestSupport.h"

namespace {

using namespace snaplet_test;

// The rendered Letter page: 8.5 x 11 inches.
constexpr int kPageWidth = 850;
constexpr int kPageHeight = 1100;

class SnapletPrint : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(InstallTestPrinters(folder_, error)) << error;
    }

    ProgramRun Run(const std::wstring& arguments) {
        DeleteFileW(folder_.WindowsPath(kDefaultOutput).c_str());
        DeleteFileW(folder_.WindowsPath(kOtherOutput).c_str());
        return RunSnaplet(folder_, arguments);
    }

    // The pages printed on a printer (none when it printed nothing).
    std::vector<RenderedPage> Pages(const wchar_t* output, const std::string& pngPrefix = "") {
        if (!FileExists(folder_.WindowsPath(output))) return {};
        return RenderPages(folder_, output, pngPrefix);
    }

    HostFolder folder_;
};

// What a test expects of the one printed page: the picture's size in inches
// and the colours near its corners (top left, top right, bottom right,
// bottom left).
struct ExpectedPicture {
    double widthInches;
    double heightInches;
    Colour corners[4];
};

void ExpectPicture(const RenderedPage& page, const ExpectedPicture& expected) {
    EXPECT_EQ(page.width, kPageWidth);
    EXPECT_EQ(page.height, kPageHeight);
    RECT box;
    ASSERT_TRUE(FindPicture(page, box)) << "a blank page";
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    EXPECT_NEAR(width, expected.widthInches * kRenderDpi, 0.02 * expected.widthInches * kRenderDpi);
    EXPECT_NEAR(height, expected.heightInches * kRenderDpi, 0.02 * expected.heightInches * kRenderDpi);
    // Centred on the printable area, whose margins are equal: on the page.
    EXPECT_NEAR((box.left + box.right) / 2.0, kPageWidth / 2.0, 2.0) << "left " << box.left << " right " << box.right;
    EXPECT_NEAR((box.top + box.bottom) / 2.0, kPageHeight / 2.0, 2.0) << "top " << box.top << " bottom " << box.bottom;

    // Inside each corner mark: a twentieth of the picture in from its corner.
    const int dx = static_cast<int>(width / 20);
    const int dy = static_cast<int>(height / 20);
    const POINT probes[4] = {{box.left + dx, box.top + dy},
                             {box.right - 1 - dx, box.top + dy},
                             {box.right - 1 - dx, box.bottom - 1 - dy},
                             {box.left + dx, box.bottom - 1 - dy}};
    const char* names[4] = {"top left", "top right", "bottom right", "bottom left"};
    for (int i = 0; i < 4; ++i) {
        const Colour found = Classify(page.At(probes[i].x, probes[i].y));
        EXPECT_EQ(found, expected.corners[i])
            << names[i] << ": " << ColourName(found) << " where " << ColourName(expected.corners[i]) << " belongs";
    }
}

TEST_F(SnapletPrint, TheScreenIsTurnedShrunkToThePageWidthAndCentred) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    PatternWindow pattern(RECT{0, 0, 1280, 1024});
    ASSERT_TRUE(pattern.WaitUntilShown());

    const ProgramRun run = Run(L"-screen");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "");

    const std::string postscript = ReadFileBytes(folder_.WindowsPath(kDefaultOutput));
    EXPECT_NE(postscript.find("%%Title: RivUzoridEvozo"), std::string::npos) << "the document name";
    const std::vector<RenderedPage> pages = Pages(kDefaultOutput, "screen-1280x1024");
    ASSERT_EQ(pages.size(), 1u);
    // 1280 x 1024 at 95 dpi is 13.47 x 10.78 inches: turned clockwise to
    // 10.78 x 13.47 and scaled by 8 / 10.78 to 8 x 10 inches. The pattern's
    // top left corner (red) lands top right.
    ExpectPicture(pages[0], {8.0, 10.0, {Colour::Blue, Colour::Red, Colour::Green, Colour::Yellow}});
    EXPECT_FALSE(FileExists(folder_.WindowsPath(kOtherOutput)));
}

TEST_F(SnapletPrint, TheFrontWindowPrintsAtItsNaturalSizeCentred) {
    PatternWindow pattern(RECT{300, 200, 500, 300});
    ASSERT_TRUE(pattern.WaitUntilShown());

    const ProgramRun run = Run(L"-window");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    const std::vector<RenderedPage> pages = Pages(kDefaultOutput, "window-200x100");
    ASSERT_EQ(pages.size(), 1u);
    // 200 x 100 at 95 dpi: 2.11 x 1.05 inches, turned on the portrait page.
    ExpectPicture(pages[0], {100.0 / 95, 200.0 / 95, {Colour::Blue, Colour::Red, Colour::Green, Colour::Yellow}});
}

TEST_F(SnapletPrint, AWindowPartlyOffTheLeftEdgeIsCapturedFromTheScreenEdge) {
    // 300 x 100 with its left 100 pixels (and the red mark) off the screen.
    PatternWindow pattern(RECT{-100, 200, 200, 300});
    ASSERT_TRUE(pattern.WaitUntilShown());

    const ProgramRun run = Run(L"-window");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    const std::vector<RenderedPage> pages = Pages(kDefaultOutput);
    ASSERT_EQ(pages.size(), 1u);
    ExpectPicture(pages[0], {100.0 / 95, 200.0 / 95, {Colour::Grey, Colour::Grey, Colour::Green, Colour::Yellow}});
}

TEST_F(SnapletPrint, AWindowWhollyOffTheScreenIsNotCaptured) {
    PatternWindow pattern(RECT{-400, 200, -200, 300});
    ASSERT_TRUE(pattern.WaitUntilInFront());

    const ProgramRun run = Run(L"-window");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1u) << "the window capture failed, not for want of a window";
    EXPECT_EQ(Pages(kDefaultOutput).size(), 0u);
}

// With no window of ours: only the desktop is in front.
TEST_F(SnapletPrint, ExitCodesAndWhereThePagesGo) {
    ASSERT_EQ(GetForegroundWindow(), GetDesktopWindow());
    const struct {
        const wchar_t* arguments;
        DWORD exitCode;
        std::size_t defaultPages;
        std::size_t otherPages;
    } cases[] = {
        {L"-window", 23, 0, 0},
        {L"", 1, 0, 0},
        {L"-gui -printer=\"Snaplet Test Other\"", 1, 0, 0},
        {L"-screen -window", 0, 0, 0},
        {L"-WINDOW -Screen -gui", 0, 0, 0},
        {L"-screen \"-p=No Such Printer\"", 0, 0, 0},
        {L"-screen -printer=", 0, 1, 0},
        {L"-screen -p=", 0, 1, 0},
        {L"-SCREEN \"-P=Snaplet Test Other\"", 0, 0, 1},
        {L"\"-PRINTER=Snaplet Test Other\" -Screen", 0, 0, 1},
        {L"-screen \"-p=Snaplet Test Other\" -p=", 0, 1, 0},
        {L"-screen screen -x -p -printer \"Snaplet Test Other\"", 0, 1, 0},
    };
    for (const auto& c : cases) {
        const std::string label(c.arguments, c.arguments + wcslen(c.arguments));
        const ProgramRun run = Run(c.arguments);
        ASSERT_TRUE(run.finished) << label;
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        EXPECT_EQ(run.output, "") << label;
        EXPECT_EQ(Pages(kDefaultOutput).size(), c.defaultPages) << label;
        EXPECT_EQ(Pages(kOtherOutput).size(), c.otherPages) << label;
    }
}

TEST_F(SnapletPrint, InternetExplorerPagesAreNotPrinted) {
    for (const wchar_t* arguments : {L"-IE", L"-ie -screen", L"-window -Ie -gui"}) {
        const std::string label(arguments, arguments + wcslen(arguments));
        const ProgramRun run = Run(arguments);
        ASSERT_TRUE(run.finished) << label;
        EXPECT_EQ(run.exitCode, 1u) << label;
        // The console text, written in text mode.
        EXPECT_EQ(run.output, "\r\n - \r\n Failed to print IE") << label;
        EXPECT_FALSE(FileExists(folder_.WindowsPath(kDefaultOutput))) << label;
    }
}

TEST(SnapletWithoutPrinters, TheCaptureSucceedsAndNothingIsPrinted) {
    HostFolder folder;
    wchar_t name[260];
    DWORD size = ARRAYSIZE(name);
    ASSERT_FALSE(GetDefaultPrinterW(name, &size)) << "a fresh prefix has no default printer";
    for (const wchar_t* arguments : {L"-screen", L"-screen -p=", L"-screen \"-p=No Such Printer\""}) {
        const ProgramRun run = RunSnaplet(folder, arguments);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0u) << std::string(arguments, arguments + wcslen(arguments));
    }
}

}  // namespace
