// The part of a window that the window capture takes.
#include <gtest/gtest.h>

#include "ScreenCapture.h"

namespace {

ScreenMetrics OneScreen() {
    ScreenMetrics s;
    s.monitors = 1;
    s.primaryWidth = 1280;
    s.primaryHeight = 1024;
    s.virtualWidth = 1280;
    s.virtualHeight = 1024;
    return s;
}

// Two 1920 x 1080 screens with one more at |x|, |y| of the primary.
ScreenMetrics Screens(int monitors, int x, int y, int width, int height) {
    ScreenMetrics s;
    s.monitors = monitors;
    s.primaryWidth = 1920;
    s.primaryHeight = 1080;
    s.virtualX = x;
    s.virtualY = y;
    s.virtualWidth = width;
    s.virtualHeight = height;
    return s;
}

TEST(CaptureBounds, ClipsTheWindowToTheScreen) {
    const struct {
        const char* what;
        ScreenMetrics screen;
        RECT window;
        RECT expected;
    } cases[] = {
        {"inside", OneScreen(), {100, 100, 300, 200}, {100, 100, 300, 200}},
        {"partly off the left edge: from x = 0", OneScreen(), {-100, 200, 200, 300}, {0, 200, 200, 300}},
        {"partly off the top", OneScreen(), {10, -50, 210, 50}, {10, 0, 210, 50}},
        {"partly off the right and bottom", OneScreen(), {1200, 1000, 1400, 1100}, {1200, 1000, 1280, 1024}},
        {"larger than the screen (maximised with borders)", OneScreen(), {-8, -8, 1288, 1032}, {0, 0, 1280, 1024}},
        {"one screen even when the virtual screen is larger",
         [] {
             ScreenMetrics s = OneScreen();
             s.virtualWidth = 2560;
             return s;
         }(),
         {1200, 10, 1400, 110},
         {1200, 10, 1280, 110}},
        {"second screen on the right", Screens(2, 0, 0, 3840, 1080), {3000, 100, 3200, 200}, {3000, 100, 3200, 200}},
        {"second screen on the left", Screens(2, -1920, 0, 3840, 1080), {-1000, 100, -800, 200},
         {-1000, 100, -800, 200}},
        {"second screen on the left, window past the primary's right edge", Screens(2, -1920, 0, 3840, 1080),
         {1800, 100, 2000, 200}, {1800, 100, 1920, 200}},
        {"screens on both sides: a window on the right one", Screens(3, -1920, 0, 5760, 1080),
         {2500, 100, 2700, 200}, {2500, 100, 2700, 200}},
        {"a screen above: a window past the primary's bottom", Screens(2, 0, -1080, 1920, 2160),
         {100, 1000, 300, 1200}, {100, 1000, 300, 1080}},
        {"a screen above: a window on it", Screens(2, 0, -1080, 1920, 2160), {100, -900, 300, -800},
         {100, -900, 300, -800}},
    };
    for (const auto& c : cases) {
        const RECT r = CaptureBounds(c.window, c.screen);
        EXPECT_EQ(r.left, c.expected.left) << c.what;
        EXPECT_EQ(r.top, c.expected.top) << c.what;
        EXPECT_EQ(r.right, c.expected.right) << c.what;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.what;
    }
}

TEST(CaptureBounds, AWindowWhollyOffTheScreenLeavesNothing) {
    for (const RECT window : {RECT{-400, 100, -200, 200}, RECT{1300, 100, 1500, 200}, RECT{100, 1100, 300, 1200},
                              RECT{-32000, -32000, -31840, -31976}}) {
        const RECT r = CaptureBounds(window, OneScreen());
        EXPECT_TRUE(r.right <= r.left || r.bottom <= r.top) << window.left << "," << window.top;
    }
}

}  // namespace
