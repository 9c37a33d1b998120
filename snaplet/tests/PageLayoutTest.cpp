// Where a picture goes on the page.
#include <gtest/gtest.h>

#include "PageLayout.h"

namespace {

// Letter with 0.25-inch margins at 300 dpi: 8 x 10.5 inches printable.
constexpr PageGeometry kPortrait = {2400, 3150, 300, 300};
constexpr PageGeometry kLandscape = {3150, 2400, 300, 300};
constexpr PageGeometry kSquare = {2400, 2400, 300, 300};

TEST(PlaceImage, TurnsShrinksNeverEnlargesAndCentres) {
    const struct {
        const char* what;
        unsigned width, height;
        PageGeometry page;
        bool turned;
        float scale, x, y, w, h;
    } cases[] = {
        // 13.47 x 10.78 inches, turned to 10.78 x 13.47, scaled to 8 wide.
        {"1280 x 1024 screen, portrait page", 1280, 1024, kPortrait, true, 8.0f / (1024 / 95.0f), 0.0f, 0.25f, 8.0f,
         10.0f},
        // Not turned; the height limits: 10 x 8.
        {"1280 x 1024 screen, landscape page", 1280, 1024, kLandscape, false, 8.0f / (1024 / 95.0f), 0.25f, 0.0f,
         10.0f, 8.0f},
        {"200 x 100 window, portrait page", 200, 100, kPortrait, true, 1.0f, 4.0f - 50 / 95.0f,
         5.25f - 100 / 95.0f, 100 / 95.0f, 200 / 95.0f},
        {"200 x 100 window, landscape page", 200, 100, kLandscape, false, 1.0f, 5.25f - 100 / 95.0f,
         4.0f - 50 / 95.0f, 200 / 95.0f, 100 / 95.0f},
        {"100 x 200 window, portrait page", 100, 200, kPortrait, false, 1.0f, 4.0f - 50 / 95.0f,
         5.25f - 100 / 95.0f, 100 / 95.0f, 200 / 95.0f},
        {"a square page never turns", 1280, 1024, kSquare, false, 8.0f / (1280 / 95.0f), 0.0f,
         4.0f - 0.5f * 8.0f * 1024 / 1280, 8.0f, 8.0f * 1024 / 1280},
        {"a square picture never turns", 95 * 20, 95 * 20, kPortrait, false, 0.4f, 0.0f, 1.25f, 8.0f, 8.0f},
        {"one pixel", 1, 1, kPortrait, false, 1.0f, 4.0f - 0.5f / 95, 5.25f - 0.5f / 95, 1 / 95.0f, 1 / 95.0f},
        {"as wide as the page", 760, 997, kPortrait, false, 1.0f, 0.0f, (10.5f - 997 / 95.0f) / 2, 8.0f, 997 / 95.0f},
        {"too tall for the page", 95 * 4, 95 * 21, kPortrait, false, 0.5f, 3.0f, 0.0f, 2.0f, 10.5f},
    };
    for (const auto& c : cases) {
        const ImagePlacement p = PlaceImage(c.width, c.height, 95.0f, c.page);
        EXPECT_EQ(p.turned, c.turned) << c.what;
        EXPECT_NEAR(p.scale, c.scale, 1e-4) << c.what;
        EXPECT_NEAR(p.x, c.x, 1e-3) << c.what;
        EXPECT_NEAR(p.y, c.y, 1e-3) << c.what;
        EXPECT_NEAR(p.width, c.w, 1e-3) << c.what;
        EXPECT_NEAR(p.height, c.h, 1e-3) << c.what;
    }
}

TEST(PlaceImage, TheResolutionIsCutToAWholeNumber) {
    const ImagePlacement p = PlaceImage(190, 95, 95.9f, kLandscape);
    EXPECT_NEAR(p.width, 2.0f, 1e-4);
    EXPECT_NEAR(p.height, 1.0f, 1e-4);
}

// A printer whose resolutions differ (600 x 300 dpi, 8 x 10.5 inches): the
// picture must still fit the page in inches.
TEST(PlaceImage, APrinterWithUnequalResolutionsGetsThePictureInside) {
    const PageGeometry page = {4800, 3150, 600, 300};
    for (const unsigned size : {1000u, 2000u}) {
        const ImagePlacement p = PlaceImage(size, size, 95.0f, page);
        EXPECT_LE(p.width, 8.0f + 1e-4) << size;
        EXPECT_LE(p.height, 10.5f + 1e-4) << size;
        EXPECT_GE(p.x, -1e-4) << size;
        EXPECT_NEAR(p.width, 8.0f, 1e-3) << "the width limits a square on this page";
    }
}

TEST(PlaceImage, AnUnusablePageOrResolutionPlacesNothing) {
    for (const PageGeometry page : {PageGeometry{2400, 3150, 0, 300}, PageGeometry{2400, 3150, 300, 0}}) {
        const ImagePlacement p = PlaceImage(100, 100, 95.0f, page);
        EXPECT_EQ(p.width, 0.0f);
        EXPECT_EQ(p.height, 0.0f);
    }
    EXPECT_EQ(PlaceImage(100, 100, 0.5f, kPortrait).width, 0.0f);
}

}  // namespace
