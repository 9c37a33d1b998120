// The pause dialog of "snaplet -gui", found and pressed the way a person or
// an automation tool would: by enumerating the windows of the process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "SnapletTestSupport.h"

namespace {

using namespace snaplet_test;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return text;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialogOf(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        Search search = {processId, nullptr};
        EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(50);
    }
    return nullptr;
}

// A control's rectangle in its dialog's client coordinates.
RECT ClientRectOf(HWND control, HWND dialog) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class SnapletDialog : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(InstallTestPrinters(folder_, error)) << error;
    }
    HostFolder folder_;
};

TEST_F(SnapletDialog, ShowsBetweenCaptureAndPrintingAndEitherButtonPrints) {
    const std::wstring output = folder_.WindowsPath(kDefaultOutput);
    for (const int button : {IDCANCEL, IDOK}) {
        DeleteFileW(output.c_str());
        RunningProgram snaplet(L"\"" + SnapletProgram() + L"\" -screen -GUI");
        ASSERT_TRUE(snaplet.Started());
        const HWND dialog = WaitForDialog(snaplet.ProcessId(), 30000);
        ASSERT_NE(dialog, nullptr) << "no dialog of class #32770";

        EXPECT_EQ(TextOf(dialog), L"Dialog");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        const HWND ok = GetDlgItem(dialog, IDOK);
        const HWND cancel = GetDlgItem(dialog, IDCANCEL);
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(ClassOf(ok), L"Button");
        EXPECT_EQ(TextOf(ok), L"OK");
        EXPECT_EQ(TextOf(cancel), L"Cancel");

        // The layout in dialog units (186 x 94; OK at 129, 7 and Cancel at
        // 129, 24, both 50 x 14), measured with the units the client area gives.
        RECT client;
        GetClientRect(dialog, &client);
        const double unitX = client.right / 186.0;
        const double unitY = client.bottom / 94.0;
        EXPECT_GT(unitX, 1.0);
        EXPECT_GT(unitY, 1.0);
        const struct {
            HWND control;
            int x, y;
        } layout[] = {{ok, 129, 7}, {cancel, 129, 24}};
        for (const auto& item : layout) {
            const RECT rect = ClientRectOf(item.control, dialog);
            EXPECT_NEAR(rect.left, item.x * unitX, 1.5);
            EXPECT_NEAR(rect.top, item.y * unitY, 1.5);
            EXPECT_NEAR(rect.right - rect.left, 50 * unitX, 1.5);
            EXPECT_NEAR(rect.bottom - rect.top, 14 * unitY, 1.5);
        }

        // Centred on the work area.
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT frame;
        GetWindowRect(dialog, &frame);
        EXPECT_NEAR((frame.left + frame.right) / 2.0, (work.left + work.right) / 2.0, 1.0);
        EXPECT_NEAR((frame.top + frame.bottom) / 2.0, (work.top + work.bottom) / 2.0, 1.0);

        EXPECT_FALSE(FileExists(output)) << "printed before the dialog ended";
        SendMessageW(button == IDOK ? ok : cancel, BM_CLICK, 0, 0);
        DWORD exitCode = 99;
        ASSERT_TRUE(snaplet.Wait(30000, exitCode)) << "the dialog did not end the run";
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(RenderPages(folder_, kDefaultOutput).size(), 1u) << (button == IDOK ? "OK" : "Cancel");
    }
}

}  // namespace
