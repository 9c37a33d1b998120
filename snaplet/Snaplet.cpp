#include "Snaplet.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <winspool.h>

#include <cstdio>
#include <string>

#include "CaptureAndPrint.h"
#include "FrameworkModule.h"
#include "GdiplusApi.h"
#include "ScreenCapture.h"
#include "SnapletOptions.h"

namespace {

class CComSession {
public:
    CComSession() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~CComSession() {
        if (initialised_) CoUninitialize();
    }
    CComSession(const CComSession&) = delete;
    CComSession& operator=(const CComSession&) = delete;

private:
    bool initialised_;
};

class CGdiplusSession {
public:
    CGdiplusSession() {
        Gdiplus::GdiplusStartupInput input;   // version 1, no debug callback, background thread
        if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
    }
    ~CGdiplusSession() {
        if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
    }
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

// The spooler's default printer; empty when there is none.
std::wstring DefaultPrinterName() {
    wchar_t name[260] = L"";
    DWORD size = ARRAYSIZE(name);
    if (!GetDefaultPrinterW(name, &size)) return std::wstring();
    return name;
}

int Run(const SnapletOptions& options) {
    std::wstring printer = options.printer;
    if (printer.empty()) printer = DefaultPrinterName();

    if (options.ie) {
        // Printing the page shown in Internet Explorer is not offered (the
        // browser is gone from current Windows): the run reports the failure.
        std::fputws(kInternetExplorerFailure, stdout);
        std::fflush(stdout);
        return 1;
    }
    if (options.screen) {
        if (options.window) return 0;
        return CaptureAndPrint(CaptureMode::Screen, options.gui, printer) ? 0 : 1;
    }
    if (options.window) {
        if (CaptureAndPrint(CaptureMode::Window, options.gui, printer)) return 0;
        return CaptureErrorCode() == kNoWindowToCapture ? kNoWindowToCapture : 1;
    }
    return 1;
}

}  // namespace

int RunSnaplet(int argc, const wchar_t* const* argv) {
    CComSession com;
    CGdiplusSession gdiplus;
    const SnapletOptions options = ParseSnapletOptions(argc, argv);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    TheModule().Init();

    int exitCode = 1;
    try {
        exitCode = Run(options);
    } catch (...) {
        exitCode = 1;
    }
    TheModule().Term();
    return exitCode;
}
