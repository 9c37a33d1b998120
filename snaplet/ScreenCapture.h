#pragma once
// Taking pictures of the screen: the whole primary screen, or the area of the
// window in front. Each capture appends one image to the image list.

#include <windows.h>

// The error code of the window capture's refusal (the program's exit code then).
constexpr int kNoWindowToCapture = 23;

// The process-wide error code: 0 at start, set only when the window in front
// does not qualify for a capture.
int& CaptureErrorCode();

// Captures the primary screen with layered windows included. Always true.
bool CaptureScreen();

// Captures the screen area of the window in front, clipped to the screen.
// False when there is no qualifying window (error code 23) or when no part of
// the window lies on the screen.
bool CaptureForegroundWindow();

// Whether the window in front qualifies for a capture; when it does not, the
// error code becomes 23.
bool CheckForegroundWindow();

// The rule behind CheckForegroundWindow, for any window: it must exist, be
// none of the desktop, the shell window, the taskbar, the taskbar's start
// button or its notification area, and be a visible, not minimised window.
bool QualifiesForCapture(HWND window);

// What the window capture needs to know about the screen.
struct ScreenMetrics {
    int monitors = 1;
    int primaryWidth = 0;    // SM_CXSCREEN
    int primaryHeight = 0;   // SM_CYSCREEN
    int virtualX = 0;        // SM_XVIRTUALSCREEN
    int virtualY = 0;        // SM_YVIRTUALSCREEN
    int virtualWidth = 0;    // SM_CXVIRTUALSCREEN
    int virtualHeight = 0;   // SM_CYVIRTUALSCREEN
};

ScreenMetrics CurrentScreenMetrics();

// The part of |window| (screen coordinates) that lies on the screen: the
// primary screen with fewer than 2 monitors, else the virtual screen. Empty
// (right <= left or bottom <= top) when none of it does.
RECT CaptureBounds(const RECT& window, const ScreenMetrics& screen);
