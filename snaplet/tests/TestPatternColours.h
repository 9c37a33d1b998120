#pragma once
// The colours of the test pattern, shared by the pattern program and the tests
// that look for it on paper.

#include <windows.h>

namespace snaplet_test {

constexpr const wchar_t* kPatternClass = L"SnapletTestPattern";
constexpr COLORREF kBackground = RGB(128, 128, 128);
constexpr COLORREF kTopLeft = RGB(255, 0, 0);        // red
constexpr COLORREF kTopRight = RGB(0, 255, 0);       // green
constexpr COLORREF kBottomLeft = RGB(0, 0, 255);     // blue
constexpr COLORREF kBottomRight = RGB(255, 255, 0);  // yellow

}  // namespace snaplet_test
