// The test pattern of snaplet's print tests: a borderless window filled grey
// with a coloured square in each corner (red top left, green top right, blue
// bottom left, yellow bottom right), brought to the front. With "noise" the
// grey gives way to pixels of random colours (a picture that compresses
// badly, for the benchmark). It closes on WM_CLOSE or after two minutes.
//
//   snap_pattern.exe X Y WIDTH HEIGHT [noise]

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "TestPatternColours.h"

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;
bool g_noise = false;

// Random colours, the same on every run.
void PaintNoise(HDC dc, LONG width, LONG height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    std::uint32_t state = 12345;
    for (std::uint32_t& pixel : pixels) {
        state = state * 1664525u + 1013904223u;
        pixel = state >> 8;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    auto fill = [dc](const RECT& rect, COLORREF colour) {
        const HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    };
    const LONG w = client.right;
    const LONG h = client.bottom;
    if (g_noise) {
        PaintNoise(dc, w, h);
    } else {
        fill(client, snaplet_test::kBackground);
    }
    const LONG mark = std::min(w, h) / 4;
    fill(RECT{0, 0, mark, mark}, snaplet_test::kTopLeft);
    fill(RECT{w - mark, 0, w, mark}, snaplet_test::kTopRight);
    fill(RECT{0, h - mark, mark, h}, snaplet_test::kBottomLeft);
    fill(RECT{w - mark, h - mark, w, h}, snaplet_test::kBottomRight);
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5 && !(argc == 6 && wcscmp(argv[5], L"noise") == 0)) {
        std::fwprintf(stderr, L"usage: snap_pattern.exe X Y WIDTH HEIGHT [noise]\n");
        return 2;
    }
    g_noise = argc == 6;
    const int x = _wtoi(argv[1]);
    const int y = _wtoi(argv[2]);
    const int width = _wtoi(argv[3]);
    const int height = _wtoi(argv[4]);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = snaplet_test::kPatternClass;
    if (RegisterClassW(&windowClass) == 0) return 3;
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, snaplet_test::kPatternClass, L"Snaplet test pattern", WS_POPUP,
                                        x, y, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) return 4;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
    SetTimer(window, kLifetimeTimer, 120000, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
