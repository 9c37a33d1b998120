// Centring the pause dialog.
#include <gtest/gtest.h>

#include "WindowCentering.h"

namespace {

TEST(CenteredOrigin, CentresOnTheReferenceAndStaysInsideTheWorkArea) {
    const RECT work = {0, 0, 1280, 994};   // a taskbar of 30 pixels at the bottom
    const struct {
        const char* what;
        RECT window;
        RECT reference;
        POINT expected;
    } cases[] = {
        {"on the work area", {0, 0, 300, 160}, work, {490, 417}},
        {"an odd size", {50, 50, 301, 161}, work, {515, 442}},
        {"on an owner", {0, 0, 300, 160}, {100, 100, 500, 400}, {150, 170}},
        {"an owner at the left edge", {0, 0, 300, 160}, {-200, 100, 100, 400}, {0, 170}},
        {"an owner at the bottom right", {0, 0, 300, 160}, {1100, 900, 1400, 1100}, {980, 834}},
        {"larger than the work area", {0, 0, 1400, 1000}, work, {0, 0}},
    };
    for (const auto& c : cases) {
        const POINT origin = CenteredOrigin(c.window, c.reference, work);
        EXPECT_EQ(origin.x, c.expected.x) << c.what;
        EXPECT_EQ(origin.y, c.expected.y) << c.what;
    }
}

}  // namespace
