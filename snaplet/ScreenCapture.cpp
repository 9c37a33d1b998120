#include "ScreenCapture.h"

#include <algorithm>

#include "Image.h"
#include "SnapletHandles.h"

namespace {

bool HasClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = L"";
    return GetClassNameW(window, name, ARRAYSIZE(name)) > 0 && _wcsicmp(name, className) == 0;
}

bool HasTitle(HWND window, const wchar_t* title) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return wcscmp(text, title) == 0;
}

// The taskbar, its start button and its notification area.
bool IsTaskbarPart(HWND window) {
    if (HasClass(window, L"Shell_TrayWnd")) return true;
    const HWND parent = GetAncestor(window, GA_PARENT);
    if (parent == nullptr || !HasClass(parent, L"Shell_TrayWnd")) return false;
    return (HasClass(window, L"Button") && HasTitle(window, L"Start")) || HasClass(window, L"TrayNotifyWnd");
}

}  // namespace

int& CaptureErrorCode() {
    static int code = 0;
    return code;
}

bool QualifiesForCapture(HWND window) {
    if (window == nullptr || window == GetDesktopWindow()) return false;
    const HWND shell = GetShellWindow();
    if (shell != nullptr && window == shell) return false;
    if (IsTaskbarPart(window)) return false;
    return IsWindow(window) && !IsIconic(window) && IsWindowVisible(window);
}

bool CheckForegroundWindow() {
    if (QualifiesForCapture(GetForegroundWindow())) return true;
    CaptureErrorCode() = kNoWindowToCapture;
    return false;
}

ScreenMetrics CurrentScreenMetrics() {
    ScreenMetrics screen;
    screen.monitors = GetSystemMetrics(SM_CMONITORS);
    screen.primaryWidth = GetSystemMetrics(SM_CXSCREEN);
    screen.primaryHeight = GetSystemMetrics(SM_CYSCREEN);
    screen.virtualX = GetSystemMetrics(SM_XVIRTUALSCREEN);
    screen.virtualY = GetSystemMetrics(SM_YVIRTUALSCREEN);
    screen.virtualWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.virtualHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return screen;
}

RECT CaptureBounds(const RECT& window, const ScreenMetrics& screen) {
    RECT area = {0, 0, screen.primaryWidth, screen.primaryHeight};
    if (screen.monitors >= 2) {
        area = {screen.virtualX, screen.virtualY, screen.virtualX + screen.virtualWidth,
                screen.virtualY + screen.virtualHeight};
    }
    return RECT{std::max(window.left, area.left), std::max(window.top, area.top), std::min(window.right, area.right),
                std::min(window.bottom, area.bottom)};
}

bool CaptureScreen() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const HWND desktop = GetDesktopWindow();
    CWindowDC screen(desktop);
    CDeviceContext memory(CreateCompatibleDC(screen.Get()));
    CBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        CSelection select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY | CAPTUREBLT);
    }
    AppendCapturedBitmap(bitmap.Get(), screen.Get());
    return true;
}

bool CaptureForegroundWindow() {
    if (!CheckForegroundWindow()) return false;
    const HWND window = GetForegroundWindow();
    if (window == nullptr) return false;

    CWindowDC screen(nullptr);
    CDeviceContext memory(CreateCompatibleDC(screen.Get()));
    RECT rect = {};
    GetWindowRect(window, &rect);
    const RECT area = CaptureBounds(rect, CurrentScreenMetrics());
    // A window wholly off the screen has nothing to capture.
    if (area.right <= area.left || area.bottom <= area.top) return false;

    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    CBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        CSelection select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    }
    AppendCapturedBitmap(bitmap.Get(), screen.Get());
    return true;
}
