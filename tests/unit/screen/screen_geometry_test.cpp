// screen_geometry_test.cpp - the pieces of the connecting line, the no-moves
// plate's size and the timer label's flash, checked without a window.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/board.h"
#include "screen/game_screen.h"

namespace {

// Cell centres as the board lays them out: 80 units plus 4 of padding.
Vec2 cell(int column, int row) {
    return home_position_on((uint8_t)(row * 6 + column), 6, 5, 4);
}

float area_of_overlap(const LineRect& a, const LineRect& b) {
    float w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    float h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

bool covers(const LineRect& r, Vec2 p) {
    return p.x >= r.x && p.x <= r.x + r.width && p.y >= r.y && p.y <= r.y + r.height;
}

}  // namespace

TEST(LineSegments, VerticalPieceRunsPastBothEndsAndHorizontalStopsShort) {
    const float h = 4;
    Vec2 vertical[2] = {cell(1, 1), cell(1, 3)};
    LineRect r[3];
    ASSERT_EQ(line_segment_rects(vertical, 2, h, r), 1);
    EXPECT_FLOAT_EQ(r[0].x, vertical[0].x - h);
    EXPECT_FLOAT_EQ(r[0].y, vertical[0].y - h);
    EXPECT_FLOAT_EQ(r[0].width, 2 * h);
    EXPECT_FLOAT_EQ(r[0].height, vertical[1].y - vertical[0].y + 2 * h);

    Vec2 horizontal[2] = {cell(1, 2), cell(4, 2)};
    ASSERT_EQ(line_segment_rects(horizontal, 2, h, r), 1);
    EXPECT_FLOAT_EQ(r[0].x, horizontal[0].x + h);
    EXPECT_FLOAT_EQ(r[0].y, horizontal[0].y - h);
    EXPECT_FLOAT_EQ(r[0].width, horizontal[1].x - horizontal[0].x - 2 * h);
    EXPECT_FLOAT_EQ(r[0].height, 2 * h);
}

TEST(LineSegments, EachPieceStartsAtItsUpperOrLeftEndWhicheverWayThePathRuns) {
    Vec2 forward[4] = {cell(0, 1), cell(0, 4), cell(5, 4), cell(5, 0)};
    Vec2 backward[4] = {forward[3], forward[2], forward[1], forward[0]};
    LineRect a[3], b[3];
    ASSERT_EQ(line_segment_rects(forward, 4, 3, a), 3);
    ASSERT_EQ(line_segment_rects(backward, 4, 3, b), 3);
    for (int k = 0; k < 3; k++) {
        const LineRect& same = b[2 - k];
        EXPECT_FLOAT_EQ(a[k].x, same.x) << "piece " << k;
        EXPECT_FLOAT_EQ(a[k].y, same.y) << "piece " << k;
        EXPECT_GT(a[k].width, 0) << "piece " << k;
        EXPECT_GT(a[k].height, 0) << "piece " << k;
        EXPECT_FLOAT_EQ(a[k].width, same.width);
        EXPECT_FLOAT_EQ(a[k].height, same.height);
    }
}

// A translucent line must not show darker corners: no two pieces overlap,
// and together they still cover both corners of the path (its ends lie
// under the tiles).
TEST(LineSegments, PiecesOfATwoTurnPathNeverOverlapAndCoverEveryCorner) {
    const Vec2 paths[][4] = {
        {cell(0, 1), cell(0, 4), cell(5, 4), cell(5, 0)},  // down, across, up
        {cell(1, 0), cell(4, 0), cell(4, 3), cell(0, 3)},  // across, down, back
        {cell(5, 2), cell(2, 2), cell(2, 0), cell(3, 0)},  // left, up, right
    };
    for (const auto& path : paths) {
        for (float h : {1.0f, 4.0f, 10.0f}) {
            LineRect r[3];
            ASSERT_EQ(line_segment_rects(path, 4, h, r), 3);
            for (int i = 0; i < 3; i++)
                for (int j = i + 1; j < 3; j++)
                    EXPECT_EQ(area_of_overlap(r[i], r[j]), 0)
                        << "pieces " << i << " and " << j << " overlap at h " << h;
            for (int k = 1; k <= 2; k++) {
                bool covered = false;
                for (const LineRect& piece : r) covered = covered || covers(piece, path[k]);
                EXPECT_TRUE(covered) << "corner " << k << " at h " << h;
            }
        }
    }
}

TEST(LineSegments, FewerThanTwoPointsDrawNothingAndMoreThanFourAreCut) {
    Vec2 points[6] = {cell(0, 0), cell(0, 2), cell(3, 2), cell(3, 4), cell(5, 4), cell(5, 0)};
    LineRect r[5];
    EXPECT_EQ(line_segment_rects(points, 0, 4, r), 0);
    EXPECT_EQ(line_segment_rects(points, 1, 4, r), 0);
    EXPECT_EQ(line_segment_rects(points, 6, 4, r), 3);
}

TEST(LineSegments, AThickLineBetweenNeighboursNeverGetsANegativeWidth) {
    Vec2 neighbours[2] = {cell(2, 2), cell(3, 2)};  // 84 units apart
    LineRect r[1];
    ASSERT_EQ(line_segment_rects(neighbours, 2, 50, r), 1);
    EXPECT_EQ(r[0].width, 0);
}

TEST(GridBackground, InnerGridWithoutTheFramePlusMarginOnEverySide) {
    // 8 x 10 cells frame included: 6 x 8 tiles, 5 and 7 gaps.
    Vec2 size = grid_background_size(8, 10, 4, 12);
    EXPECT_FLOAT_EQ(size.x, 6 * 80 + 5 * 4 + 24);
    EXPECT_FLOAT_EQ(size.y, 8 * 80 + 7 * 4 + 24);
    Vec2 none = grid_background_size(0, 0, 4, 12);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
}

TEST(TimerFlash, FlashesToFullOpacityAndFadesBackQuadratically) {
    EXPECT_EQ(timer_label_alpha(155, 0, 0.4f), 155);
    EXPECT_EQ(timer_label_alpha(155, 0.4f, 0.4f), 255);
    EXPECT_EQ(timer_label_alpha(155, 0.2f, 0.4f), 180);  // (1/2)^2 of the way
    EXPECT_EQ(timer_label_alpha(0, 0.1f, 0.4f), 15);     // (1/4)^2 x 255
    // A flash longer than its configured duration, or no duration at all,
    // stays at full opacity instead of wrapping round.
    EXPECT_EQ(timer_label_alpha(200, 1.0f, 0.4f), 255);
    EXPECT_EQ(timer_label_alpha(200, 0.3f, 0), 255);
}
