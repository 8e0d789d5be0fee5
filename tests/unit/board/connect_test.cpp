// connect_test.cpp - the connection rule: which pairs join, along which
// path, and the move search.
#include <gtest/gtest.h>

#include "board/board.h"
#include "board_test_util.h"

namespace {

// A 6 x 5 board (4 x 3 tiles) used by several cases.
Board open_board() {
    return board_from(6, 5, {0, 0, 0, 0, 0, 0,  //
                             0, 0, 0, 0, 0, 0,  //
                             0, 0, 0, 0, 0, 0,  //
                             0, 0, 0, 0, 0, 0,  //
                             0, 0, 0, 0, 0, 0});
}

void expect_path(const ConnectionPath& p, std::initializer_list<int> points) {
    ASSERT_EQ(p.count, points.size());
    int k = 0;
    for (int point : points) EXPECT_EQ(p.points[k++], point) << "point " << k - 1;
}

}  // namespace

TEST(Connection, NeighboursJoinInAStraightLine) {
    Board b = open_board();
    b.cells[8] = b.cells[9] = 3;    // row 1, side by side
    b.cells[14] = b.cells[20] = 4;  // column 2, one above the other
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 8, 9, &p));
    expect_path(p, {8, 9});
    ASSERT_TRUE(connect_cells(b, 20, 14, &p));
    expect_path(p, {20, 14});
}

TEST(Connection, StraightLineAcrossEmptyCells) {
    Board b = open_board();
    b.cells[7] = b.cells[10] = 2;
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 10, 7, &p));
    expect_path(p, {10, 7});
}

TEST(Connection, BlockedRowGoesAroundThroughTheRowAboveFirst) {
    // Row 2: 5 6 5 with empty rows above and below: -1 is tried before +1.
    Board b = open_board();
    b.cells[13] = 5;
    b.cells[14] = 6;
    b.cells[15] = 5;
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 13, 15, &p));
    expect_path(p, {13, 7, 9, 15});  // corners directly above each tile

    // With the row above blocked over the middle, the row below is used.
    b.cells[8] = 6;
    ASSERT_TRUE(connect_cells(b, 13, 15, &p));
    expect_path(p, {13, 19, 21, 15});
}

TEST(Connection, TopRowTilesAlwaysMeetThroughTheFrame) {
    // A full 4 x 3 block: only the frame is free.
    Board b = board_from(6, 5, {0, 0, 0, 0, 0, 0,  //
                                0, 1, 2, 3, 1, 0,  //
                                0, 4, 5, 6, 7, 0,  //
                                0, 8, 9, 8, 9, 0,  //
                                0, 0, 0, 0, 0, 0});
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 7, 10, &p));
    expect_path(p, {7, 1, 4, 10});
    // The bottom row goes through the bottom frame row (-1 is blocked).
    ASSERT_TRUE(connect_cells(b, 19, 21, &p));
    expect_path(p, {19, 25, 27, 21});
    // Left and right columns, through the side frames.
    Board c = board_from(6, 5, {0, 0, 0, 0, 0, 0,  //
                                0, 1, 2, 3, 5, 0,  //
                                0, 4, 2, 6, 7, 0,  //
                                0, 1, 9, 8, 5, 0,  //
                                0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(connect_cells(c, 7, 19, &p));
    expect_path(p, {7, 6, 18, 19});
    ASSERT_TRUE(connect_cells(c, 10, 22, &p));
    expect_path(p, {10, 11, 23, 22});
}

TEST(Connection, OneTurnPrefersTheVerticalFirstCorner) {
    Board b = open_board();
    b.cells[7] = b.cells[16] = 1;  // (1,1) and (2,4)
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 7, 16, &p));
    expect_path(p, {7, 13, 16});  // corner (2,1) below the first tile
    b.cells[13] = 2;              // block it: horizontal first, corner (1,4)
    ASSERT_TRUE(connect_cells(b, 7, 16, &p));
    expect_path(p, {7, 10, 16});
    // Both corners blocked: row 0 is closed by the new tile above the
    // second one and rows 2..4 by the first blocker, so the path turns
    // through column 2.
    b.cells[10] = 2;
    ASSERT_TRUE(connect_cells(b, 7, 16, &p));
    expect_path(p, {7, 8, 14, 16});
}

TEST(Connection, DetourThroughAColumnWhenNoRowServes) {
    // Same column, blocked between; every row detour needs dc != 0, so the
    // path goes through the nearest free column, left side first.
    Board b = open_board();
    b.cells[8] = 4;
    b.cells[14] = 9;
    b.cells[20] = 4;
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 8, 20, &p));
    expect_path(p, {8, 7, 19, 20});
    b.cells[13] = 9;  // left column blocked at row 2: the right one
    ASSERT_TRUE(connect_cells(b, 8, 20, &p));
    expect_path(p, {8, 9, 21, 20});
}

TEST(Connection, TilesBeingRemovedDoNotBlock) {
    Board b = open_board();
    b.cells[13] = 5;
    b.cells[14] = 0;  // a tile whose removal animation runs: already 0
    b.cells[15] = 5;
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 13, 15, &p));
    expect_path(p, {13, 15});
}

TEST(Connection, WallsBlockLikeTiles) {
    Board b = board_from(5, 3,
                         {0, 0, 0, 0, 0,  //
                          0, 1, 9, 1, 0,  //
                          0, 0, 0, 0, 0});
    ConnectionPath p;
    ASSERT_TRUE(connect_cells(b, 6, 8, &p));
    EXPECT_EQ(p.count, 4);
}

TEST(Connection, NeverMoreThanTwoTurns) {
    // The only route would need three turns: a spiral around a wall.
    Board b = board_from(7, 7, {0, 0, 0, 0, 0, 0, 0,  //
                                0, 9, 9, 9, 9, 9, 0,  //
                                0, 9, 0, 0, 0, 9, 0,  //
                                0, 9, 0, 1, 9, 9, 0,  //
                                0, 9, 9, 9, 9, 9, 0,  //
                                0, 1, 9, 9, 9, 9, 0,  //
                                0, 0, 0, 0, 0, 0, 0});
    ConnectionPath p;
    EXPECT_FALSE(connect_cells(b, 24, 36, &p));
    EXPECT_LE(p.count, 1);
}

TEST(Connection, SameCellOrDifferentKindsNeverConnect) {
    Board b = open_board();
    b.cells[8] = 3;
    b.cells[9] = 4;
    connection_path.count = 3;
    board = b;
    EXPECT_FALSE(find_connection(8, 8));
    EXPECT_EQ(connection_path.count, 0);
    connection_path.count = 3;
    EXPECT_FALSE(find_connection(8, 9));
    EXPECT_EQ(connection_path.count, 0);
    // Out-of-board indices are refused rather than read.
    EXPECT_FALSE(find_connection(8, 99));
}

TEST(Connection, TutorialBoardsShowTheirThreePathKinds) {
    ConnectionPath p;
    Board one = tutorial_board(1);
    ASSERT_TRUE(connect_cells(one, 13, 16, &p));
    expect_path(p, {13, 16});

    Board two = tutorial_board(2);
    ASSERT_TRUE(connect_cells(two, 19, 9, &p));
    expect_path(p, {19, 7, 9});

    Board three = tutorial_board(3);
    ASSERT_TRUE(connect_cells(three, 13, 16, &p));
    expect_path(p, {13, 7, 10, 16});
    // Its kind-2 pair connects too (through the rows below the wall).
    ASSERT_TRUE(connect_cells(three, 26, 28, &p));
    EXPECT_EQ(p.count, 4);
}

TEST(MoveSearch, FindsAPairOrReportsNone) {
    board = open_board();
    EXPECT_FALSE(any_move_exists());  // no tile at all

    // Two pairs crossed so that neither can reach its partner.
    board = board_from(6, 6, {0, 0, 0, 0, 0, 0,  //
                              0, 1, 2, 3, 4, 0,  //
                              0, 5, 6, 7, 8, 0,  //
                              0, 8, 7, 6, 5, 0,  //
                              0, 4, 3, 2, 1, 0,  //
                              0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(any_move_exists());

    // Taking out the 6s opens a corner between the 7s.
    board.cells[14] = 0;
    board.cells[21] = 0;
    ASSERT_TRUE(find_connection(15, 20));
    EXPECT_TRUE(any_move_exists());
    EXPECT_GE(connection_path.count, 2);
    EXPECT_EQ(board.cells[connection_path.points[0]],
              board.cells[connection_path.points[connection_path.count - 1]]);
}

TEST(MoveSearch, StopsAtTheFirstPairInIndexOrder) {
    board = open_board();
    board.cells[20] = board.cells[21] = 2;
    board.cells[7] = board.cells[8] = 1;
    ASSERT_TRUE(any_move_exists());
    expect_path(connection_path, {7, 8});
}

namespace {

// Fewest turns (0, 1, 2, or 3 meaning "more") of any axis-aligned path
// from a to b through empty cells: search over (cell, heading).
int fewest_turns(const Board& b, int from, int to) {
    const int w = b.width, h = b.height;
    static const int dr[4] = {-1, 1, 0, 0}, dc[4] = {0, 0, -1, 1};
    int best[BOARD_MAX_CELLS][4];
    for (auto& cell : best)
        for (int& v : cell) v = 3;
    int queue[BOARD_MAX_CELLS * 4 * 4][2], head = 0, tail = 0;
    for (int d = 0; d < 4; d++) {
        best[from][d] = 0;
        queue[tail][0] = from;
        queue[tail++][1] = d;
    }
    int result = 3;
    while (head < tail) {
        int cell = queue[head][0], d = queue[head++][1];
        int turns = best[cell][d];
        int r = cell / w + dr[d], c = cell % w + dc[d];
        if (r < 0 || r >= h || c < 0 || c >= w) continue;
        int next = r * w + c;
        if (next == to) {
            if (turns < result) result = turns;
            continue;
        }
        if (b.cells[next] != 0) continue;
        for (int nd = 0; nd < 4; nd++) {
            int t = turns + (nd != d);
            if (t < best[next][nd]) {  // at most three improvements per state
                best[next][nd] = t;
                queue[tail][0] = next;
                queue[tail++][1] = nd;
            }
        }
    }
    return result;
}

// The path's points are aligned, turn at most twice and cross only empty
// cells between the two ends.
void expect_valid_path(const Board& b, const ConnectionPath& p, int from, int to) {
    ASSERT_GE(p.count, 2);
    ASSERT_LE(p.count, 4);
    EXPECT_EQ(p.points[0], from);
    EXPECT_EQ(p.points[p.count - 1], to);
    const int w = b.width;
    for (int k = 0; k + 1 < p.count; k++) {
        int r0 = p.points[k] / w, c0 = p.points[k] % w;
        int r1 = p.points[k + 1] / w, c1 = p.points[k + 1] % w;
        ASSERT_TRUE(r0 == r1 || c0 == c1) << "segment " << k;
        ASSERT_FALSE(r0 == r1 && c0 == c1) << "segment " << k;
        int sr = (r1 > r0) - (r1 < r0), sc = (c1 > c0) - (c1 < c0);
        for (int r = r0, c = c0;;) {
            r += sr;
            c += sc;
            int cell = r * w + c;
            if (cell == to && k + 2 == p.count) break;
            ASSERT_EQ(b.cells[cell], 0) << "cell " << cell << " on segment " << k;
            if (r == r1 && c == c1) break;
        }
    }
}

}  // namespace

TEST(Connection, AgreesWithAnExhaustiveSearchOnRandomBoards) {
    uint32_t state = 12345;
    auto next = [&state](int n) {
        state = state * 1103515245u + 12345u;
        return (int)((state >> 16) % (uint32_t)n);
    };
    int joined = 0, apart = 0;
    for (int round = 0; round < 400; round++) {
        int w = 4 + next(7), h = 4 + next(7);
        Board b = {};
        b.width = (uint8_t)w;
        b.height = (uint8_t)h;
        int fill = 30 + next(60);
        for (int r = 1; r < h - 1; r++)
            for (int c = 1; c < w - 1; c++)
                if (next(100) < fill) b.cells[r * w + c] = (uint8_t)(1 + next(3));
        for (int a = 0; a < w * h; a++)
            for (int c = a + 1; c < w * h; c++) {
                if (b.cells[a] == 0 || b.cells[a] != b.cells[c]) continue;
                ConnectionPath p;
                bool found = connect_cells(b, (uint8_t)a, (uint8_t)c, &p);
                ASSERT_EQ(found, fewest_turns(b, a, c) <= 2) << "cells " << a << ", " << c;
                if (found) {
                    expect_valid_path(b, p, a, c);
                    joined++;
                } else {
                    apart++;
                }
            }
    }
    EXPECT_GT(joined, 1000);
    EXPECT_GT(apart, 1000);
}
