// The pixel-scale choice from the monitor's content scale, and pointer
// positions turned into the logical pixels the board is laid out in.
#include <gtest/gtest.h>

#include <cmath>

#include "app/display.h"

namespace {

TEST(PixelScale, TwoFromAContentScaleOfTwoOrMoreOnBothAxes) {
    EXPECT_EQ(choose_pixel_scale(2.0f, 2.0f), 2);
    EXPECT_EQ(choose_pixel_scale(3.0f, 2.5f), 2);
    EXPECT_EQ(choose_pixel_scale(1.0f, 1.0f), 1);
    EXPECT_EQ(choose_pixel_scale(1.99f, 2.0f), 1);
    EXPECT_EQ(choose_pixel_scale(2.0f, 1.5f), 1);
}

TEST(PixelScale, AScaleTheLibraryCouldNotReportCountsAsOne) {
    EXPECT_EQ(choose_pixel_scale(0.0f, 0.0f), 1);
    EXPECT_EQ(choose_pixel_scale(-2.0f, -2.0f), 1);
    EXPECT_EQ(choose_pixel_scale(NAN, 2.0f), 1);
    EXPECT_EQ(choose_pixel_scale(INFINITY, INFINITY), 1);
}

TEST(PointerPosition, LandsOnTheSameLogicalPixelAtEveryScale) {
    // Scale 1: window coordinates are the logical pixels, unchanged.
    EXPECT_EQ(window_to_logical(539.0f, 540, 540, 1), 539.0f);
    // Window coordinates in framebuffer pixels (X11, Windows).
    EXPECT_EQ(window_to_logical(1078.0f, 1080, 1080, 2), 539.0f);
    // Window coordinates in points, twice as many pixels (macOS-like).
    EXPECT_EQ(window_to_logical(539.0f, 540, 1080, 2), 539.0f);
    // A minimised window reports no size: the position is only unscaled.
    EXPECT_EQ(window_to_logical(100.0f, 0, 0, 2), 50.0f);
}

}  // namespace
