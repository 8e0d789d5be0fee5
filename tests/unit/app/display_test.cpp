// The pixel-scale choice from the monitor's content scale, and pointer
// positions turned into the logical pixels the board is laid out in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/display.h"
#include "platform/window_metrics.h"

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

TEST(ViewFit, ShrinksTheWholePictureBelow540x960) {
    ViewFit f = fit_view(432, 768, 1, 540, 960);
    EXPECT_EQ(f.scale, 0.8f);
    EXPECT_EQ(f.width * 10000 + f.height, 540 * 10000 + 960);
    f = fit_view(540, 700, 1, 540, 960);  // the short side sets f; the other grows
    EXPECT_NEAR(f.scale, 700 / 960.0f, 1e-6);
    EXPECT_EQ(f.width * 10000 + f.height, 741 * 10000 + 960);
    f = fit_view(1366, 1000, 1, 540, 960);  // full size follows the window
    EXPECT_EQ(f.width * 10000 + f.scale, 1366 * 10000 + 1);
    EXPECT_EQ(fit_view(864, 1536, 2, 540, 960).width, 540);
    EXPECT_EQ(fit_view(0, 0, 1, 540, 960).scale, 0.0f);  // minimised: nothing
    // A press on the drawn picture lands on the logical pixel under it.
    EXPECT_FLOAT_EQ(window_to_logical(360.0f, 360, 360, 360 / 540.0f), 540.0f);
    EXPECT_FLOAT_EQ(font_raster_scale(0.61f), 0.65f);
}

TEST(StartWindow, LargestThatFitsTheWorkAreaNeverLarger) {
    WindowRect r;
    ASSERT_TRUE(fit_start_window({0, 0, 1366, 728}, {4, 30, 4, 4}, 540, 960, &r));
    EXPECT_EQ(r.width * 10000 + r.height, 390 * 10000 + 694);
    EXPECT_TRUE(window_fits(r, {4, 30, 4, 4}, {0, 0, 1366, 728}, 270, 480));
    ASSERT_TRUE(fit_start_window({0, 0, 2560, 1400}, {0, 0, 0, 0}, 540, 960, &r));
    EXPECT_EQ(r.width, 540);
    ASSERT_TRUE(fit_start_window({0, 0, 200, 300}, {0, 0, 0, 0}, 540, 960, &r));
    EXPECT_EQ(r.width, 270);  // never below a quarter
    // No work area, or an absurd one: today's window.
    EXPECT_FALSE(fit_start_window({0, 0, 0, 0}, {0, 0, 0, 0}, 540, 960, &r));
    EXPECT_EQ(r.height, 960);
    EXPECT_FALSE(fit_start_window({0, 0, 1 << 30, 768}, {0, 0, 0, 0}, 540, 960, &r));
    EXPECT_FALSE(window_fits({900, 0, 540, 960}, {0, 0, 0, 0}, {0, 0, 1366, 768}, 270, 480));
}

TEST(WindowPlaceFile, OneBoundedLine) {
    WindowPlace p = {{10, -20, 432, 768}, true}, q = {};
    char line[64];
    ASSERT_TRUE(parse_window_place(line, format_window_place(p, line, sizeof line), &q));
    EXPECT_EQ(q.rect.y * 10000 + q.rect.height, -20 * 10000 + 768);
    EXPECT_TRUE(q.fullscreen);
    for (const char* bad : {"", "1 2 3 4", "1 2 0 4 0", "1 2 3 4 2", "1 2 3 4 0 x",
                            "1 2 3 999999 0", "99999999999999999999 0 1 1 0"})
        EXPECT_FALSE(parse_window_place(bad, strlen(bad), &q)) << bad;
    EXPECT_FALSE(parse_window_place("1 2 3 4 0\0", 11, &q));
}

}  // namespace
