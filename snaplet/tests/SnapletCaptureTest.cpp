// The capture rules with real windows of the test's own, on a virtual display.
#include <gtest/gtest.h>

#include <windows.h>

#include "CaptureAndPrint.h"
#include "GdiplusApi.h"
#include "Image.h"
#include "ScreenCapture.h"
#include "SnapletTestSupport.h"

// Exported by user32 and in MinGW's import library, but in no header.
extern "C" BOOL WINAPI SetShellWindow(HWND window);

namespace {

using namespace snaplet_test;

HWND MakeWindow(const wchar_t* className, const wchar_t* title, HWND parent, DWORD style) {
    WNDCLASSW windowClass = {};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), className, &windowClass)) {
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);
    }
    return CreateWindowExW(0, className, title, style | (parent != nullptr ? WS_CHILD : WS_POPUP), 10, 10, 200, 100,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(QualifiesForCapture, TheTaskbarDesktopAndHiddenOrMinimisedWindowsDoNot) {
    const HWND plain = MakeWindow(L"SnapletTestPlain", L"Plain", nullptr, WS_VISIBLE);
    const HWND hidden = MakeWindow(L"SnapletTestPlain", L"Hidden", nullptr, 0);
    const HWND minimised = MakeWindow(L"SnapletTestPlain", L"Minimised", nullptr, WS_VISIBLE | WS_MINIMIZE);
    // A taskbar of the test's own, with a start button and a notification area.
    const HWND taskbar = MakeWindow(L"Shell_TrayWnd", L"", nullptr, WS_VISIBLE);
    const HWND start = MakeWindow(L"Button", L"Start", taskbar, WS_VISIBLE);
    const HWND otherButton = MakeWindow(L"Button", L"Stop", taskbar, WS_VISIBLE);
    const HWND notification = MakeWindow(L"TrayNotifyWnd", L"", taskbar, WS_VISIBLE);
    const HWND startElsewhere = MakeWindow(L"Button", L"Start", plain, WS_VISIBLE);
    const HWND notificationElsewhere = MakeWindow(L"TrayNotifyWnd", L"", plain, WS_VISIBLE);
    const HWND destroyed = MakeWindow(L"SnapletTestPlain", L"Gone", nullptr, WS_VISIBLE);
    DestroyWindow(destroyed);

    const struct {
        const char* what;
        HWND window;
        bool qualifies;
    } cases[] = {
        {"a visible window", plain, true},
        {"no window", nullptr, false},
        {"the desktop", GetDesktopWindow(), false},
        {"a hidden window", hidden, false},
        {"a minimised window", minimised, false},
        {"a destroyed window", destroyed, false},
        {"the taskbar", taskbar, false},
        {"the taskbar's start button", start, false},
        {"another button of the taskbar", otherButton, true},
        {"the taskbar's notification area", notification, false},
        {"a start button elsewhere", startElsewhere, true},
        {"a notification area elsewhere", notificationElsewhere, true},
    };
    for (const auto& c : cases) EXPECT_EQ(QualifiesForCapture(c.window), c.qualifies) << c.what;

    // The shell's desktop window: Wine has none on a display of its own, so
    // the test makes one of its windows the shell window.
    const HWND shell = MakeWindow(L"SnapletTestShell", L"Program Manager", nullptr, WS_VISIBLE);
    ASSERT_EQ(GetShellWindow(), nullptr);
    EXPECT_TRUE(QualifiesForCapture(shell));
    ASSERT_TRUE(SetShellWindow(shell));
    ASSERT_EQ(GetShellWindow(), shell);
    EXPECT_FALSE(QualifiesForCapture(shell)) << "the shell window";
    EXPECT_TRUE(QualifiesForCapture(plain));
    DestroyWindow(shell);
    DestroyWindow(taskbar);
    DestroyWindow(plain);
    DestroyWindow(hidden);
    DestroyWindow(minimised);
}

class CaptureInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override {
        TheImageList().clear();
        Gdiplus::GdiplusShutdown(token_);
    }
    ULONG_PTR token_ = 0;
};

TEST_F(CaptureInProcess, WithOnlyTheDesktopInFrontTheWindowCaptureSetsErrorCode23) {
    ASSERT_EQ(GetForegroundWindow(), GetDesktopWindow());
    CaptureErrorCode() = 0;
    EXPECT_FALSE(CaptureForegroundWindow());
    EXPECT_EQ(CaptureErrorCode(), 23);
    EXPECT_TRUE(TheImageList().empty());
}

TEST_F(CaptureInProcess, TheScreenCaptureHoldsTheScreenAt95Dpi) {
    TheImageList().clear();
    EXPECT_TRUE(CaptureScreen());
    ASSERT_EQ(TheImageList().size(), 1u);
    const sImage& image = *TheImageList().front()->Image();
    EXPECT_EQ(image.width, 1280u);
    EXPECT_EQ(image.height, 1024u);
    EXPECT_EQ(image.resolution, 95.0f);
    Gdiplus::REAL dpi = 0;
    Gdiplus::DllExports::GdipGetImageHorizontalResolution(image.bitmap.get(), &dpi);
    EXPECT_EQ(dpi, 95.0f);
}

// This test program carries no dialog template 101.
TEST_F(CaptureInProcess, WithoutTheDialogTemplateNothingIsPrintedAndTheCaptureCountsAsFailed) {
    HostFolder folder;
    std::string error;
    ASSERT_TRUE(InstallTestPrinters(folder, error)) << error;
    EXPECT_FALSE(CaptureAndPrint(CaptureMode::Screen, true, kDefaultPrinter));
    EXPECT_FALSE(FileExists(folder.WindowsPath(kDefaultOutput)));
    EXPECT_TRUE(TheImageList().empty());

    EXPECT_TRUE(CaptureAndPrint(CaptureMode::Screen, false, kDefaultPrinter));
    EXPECT_EQ(RenderPages(folder, kDefaultOutput).size(), 1u);
    EXPECT_TRUE(TheImageList().empty());
}

}  // namespace
