// layout_test.cpp - where cells sit on screen: layout units around the
// origin and the scale that fits the board between header and footer.
#include <gtest/gtest.h>

#include "board/board.h"
#include "board_test_util.h"
#include "platform/window_metrics.h"
#include "screen/game_screen_keys.h"

TEST(BoardLayout, CellsAreCentredAroundTheOrigin) {
    // 5 x 4 without gaps: 400 x 320 units, first centre 40 in from the corner.
    Vec2 first = home_position_on(0, 5, 4, 0);
    EXPECT_FLOAT_EQ(first.x, -160);
    EXPECT_FLOAT_EQ(first.y, -120);
    Vec2 last = home_position_on(19, 5, 4, 0);
    EXPECT_FLOAT_EQ(last.x, 160);
    EXPECT_FLOAT_EQ(last.y, 120);
    // Odd width: the middle column sits on x = 0.
    EXPECT_FLOAT_EQ(home_position_on(7, 5, 4, 12).x, 0);
    // The gap adds to the step between neighbours and keeps the symmetry.
    Vec2 a = home_position_on(10, 9, 10, 6), b = home_position_on(11, 9, 10, 6);
    EXPECT_FLOAT_EQ(b.x - a.x, 86);
    EXPECT_FLOAT_EQ(home_position_on(0, 9, 10, 6).x, -home_position_on(8, 9, 10, 6).x);
    EXPECT_FLOAT_EQ(home_position_on(0, 9, 10, 6).y, -home_position_on(89, 9, 10, 6).y);
}

TEST(BoardLayout, ScaleFitsTheWindowButNeverEnlarges) {
    // 9 wide: 720 - 40 = 680 units across a 540 pixel window.
    EXPECT_FLOAT_EQ(scale_for_window(9, 10, 540, 960, 100, 100), 540.0f / 680.0f);
    // Tall header and footer: the height decides.
    EXPECT_FLOAT_EQ(scale_for_window(9, 10, 540, 960, 300, 200), 460.0f / 760.0f);
    // A small board is drawn at its own size.
    EXPECT_FLOAT_EQ(scale_for_window(5, 4, 540, 960, 100, 100), 1.0f);
    // No room left between header and footer.
    EXPECT_FLOAT_EQ(scale_for_window(5, 4, 540, 960, 600, 600), 0.0f);
    // No board yet.
    EXPECT_FLOAT_EQ(scale_for_window(0, 0, 540, 960, 0, 0), 1.0f);
}

TEST(BoardLayout, ModeChoosesHeaderAndFooter) {
    default_header_height = 150;
    default_footer_height = 50;
    time_challenge_header_height = 220;
    time_challenge_footer_height = 60;
    moves_challenge_header_height = 200;
    moves_challenge_footer_height = 40;
    time_challenge = pairs_countdown = false;
    EXPECT_EQ(board_header_height(), 150);
    EXPECT_EQ(board_footer_height(), 50);
    time_challenge = true;
    EXPECT_EQ(board_header_height(), 220);
    EXPECT_EQ(board_footer_height(), 60);
    time_challenge = false;
    pairs_countdown = true;
    EXPECT_EQ(board_header_height(), 200);
    EXPECT_EQ(board_footer_height(), 40);
    pairs_countdown = false;
}

TEST(BoardLayout, ScreenPositionShiftsByHalfTheBandDifference) {
    logical_width = 540;
    logical_height = 960;
    padding_between_tiles = 0;
    default_header_height = 150;
    default_footer_height = 50;
    time_challenge = pairs_countdown = false;
    board = board_from(5, 5, {});
    // Centre cell of a 5 x 5 board: the window centre, 50 px lower.
    Vec2 centre = cell_screen_position(12);
    EXPECT_FLOAT_EQ(centre.x, 270);
    EXPECT_FLOAT_EQ(centre.y, 480 + 50);
    Vec2 right = cell_screen_position(13);
    EXPECT_FLOAT_EQ(right.x - centre.x, 80 * board_scale());
}
