// solver_test.cpp - the exact solver against a plain exhaustive search,
// the orders it returns, and the designed level seed offsets.
#include "board/solver.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>

#include "board/board.h"
#include "board_test_util.h"

namespace {

// Tries every connectable pair in every order, remembering dead boards.
bool clearable_by_brute_force(Board& b, std::unordered_set<std::string>& dead) {
    const int n = b.width * b.height;
    bool any_tile = false;
    for (int i = 0; i < n; i++) any_tile |= b.cells[i] != 0;
    if (!any_tile) return true;
    std::string key((const char*)b.cells, (size_t)n);
    if (dead.count(key)) return false;
    ConnectionPath path;
    for (int a = 0; a < n; a++) {
        if (!b.cells[a]) continue;
        for (int c = a + 1; c < n; c++) {
            if (b.cells[c] != b.cells[a] || !connect_cells(b, (uint8_t)a, (uint8_t)c, &path))
                continue;
            uint8_t kind = b.cells[a];
            b.cells[a] = b.cells[c] = 0;
            bool cleared = clearable_by_brute_force(b, dead);
            b.cells[a] = b.cells[c] = kind;
            if (cleared) return true;
        }
    }
    dead.insert(key);
    return false;
}

// Plays the solution move by move under the connection rule.
void expect_order_clears(const Board& start, const Solution& s) {
    Board b = start;
    ConnectionPath path;
    for (int k = 0; k < s.move_count; k++) {
        SolveMove m = s.moves[k];
        ASSERT_NE(b.cells[m.first], 0) << "move " << k;
        ASSERT_TRUE(connect_cells(b, m.first, m.second, &path)) << "move " << k;
        b.cells[m.first] = b.cells[m.second] = 0;
    }
    EXPECT_EQ(tiles_on(b), 0);
}

struct SmallBoards {
    uint32_t state;
    int next(int n) {
        state = state * 1664525u + 1013904223u;
        return (int)((state >> 8) % (uint32_t)n);
    }
    // Pairs scattered densely over a small board; with few kinds the order
    // of removal matters, with many the board often jams.
    Board make() {
        int columns = 4 + next(3), rows = 4 + next(2);
        Board b = {};
        b.width = (uint8_t)(columns + 2);
        b.height = (uint8_t)(rows + 2);
        int cells[64], m = 0;
        for (int r = 1; r <= rows; r++)
            for (int c = 1; c <= columns; c++)
                if (next(100) < 98) cells[m++] = r * b.width + c;
        for (int k = m - 1; k > 0; k--) std::swap(cells[k], cells[next(k + 1)]);
        // A kind per pair, or kinds shared by some pairs, or by many.
        int style = next(3);
        int kinds = style == 1 ? m / 3 + 1 : 2 + next(3);
        for (int k = 0; k + 1 < m; k += 2) {
            uint8_t kind = (uint8_t)(style == 0 ? 1 + k / 2 : 1 + next(kinds));
            b.cells[cells[k]] = b.cells[cells[k + 1]] = kind;
        }
        return b;
    }
};

}  // namespace

TEST(Solver, AgreesWithExhaustiveSearchOnSmallBoards) {
    SmallBoards boards{2024};
    int cleared = 0, stuck = 0, branched = 0;
    for (int round = 0; round < 3000; round++) {
        Board b = boards.make();
        Board copy = b;
        std::unordered_set<std::string> dead;
        bool expected = clearable_by_brute_force(copy, dead);
        Solution s;
        SolveResult result = solve_board(b, &s);
        ASSERT_NE(result, SOLVE_GAVE_UP);
        ASSERT_EQ(result == SOLVE_CLEARED, expected) << "round " << round;
        branched += s.nodes > 1;
        if (expected) {
            cleared++;
            EXPECT_EQ(s.move_count, tiles_on(b) / 2);
            expect_order_clears(b, s);
        } else {
            stuck++;
        }
    }
    // Both answers were exercised plenty.
    EXPECT_GT(cleared, 300);
    EXPECT_GT(stuck, 300);
    EXPECT_GT(branched, 100);
}

TEST(Solver, AgreesWithExhaustiveSearchWhereTheOrderMatters) {
    // Boards the solver had to branch on and still found stuck are rare
    // among random ones; collect a few dozen of them.
    SmallBoards boards{99};
    int stuck_after_branching = 0, cleared_after_branching = 0;
    for (int round = 0; round < 200000 && stuck_after_branching < 40; round++) {
        Board b = boards.make();
        Solution s;
        SolveResult result = solve_board(b, &s);
        if (s.nodes <= 1) continue;
        Board copy = b;
        std::unordered_set<std::string> dead;
        bool expected = clearable_by_brute_force(copy, dead);
        ASSERT_EQ(result == SOLVE_CLEARED, expected) << "round " << round;
        if (expected) {
            cleared_after_branching++;
            expect_order_clears(b, s);
        } else {
            stuck_after_branching++;
        }
    }
    EXPECT_EQ(stuck_after_branching, 40);
    EXPECT_GT(cleared_after_branching, 1000);
}

TEST(Solver, TrivialAndHopelessBoards) {
    Solution s;
    EXPECT_EQ(solve_board(board_from(4, 4, {}), &s), SOLVE_CLEARED);
    EXPECT_EQ(s.move_count, 0);

    // A kind with an odd count can never be cleared.
    Board odd = board_from(5, 3,
                           {0, 0, 0, 0, 0,  //
                            0, 1, 1, 1, 0,  //
                            0, 0, 0, 0, 0});
    EXPECT_EQ(solve_board(odd, &s), SOLVE_STUCK);

    // Crossed pairs in a full block: nothing ever moves.
    Board crossed = board_from(4, 4,
                               {0, 0, 0, 0,  //
                                0, 1, 2, 0,  //
                                0, 2, 1, 0,  //
                                0, 0, 0, 0});
    EXPECT_EQ(solve_board(crossed, &s), SOLVE_STUCK);
    Board walled = board_from(6, 6, {0, 0, 0, 0, 0, 0,  //
                                     0, 1, 2, 3, 4, 0,  //
                                     0, 5, 6, 7, 8, 0,  //
                                     0, 8, 7, 6, 5, 0,  //
                                     0, 4, 3, 2, 1, 0,  //
                                     0, 0, 0, 0, 0, 0});
    EXPECT_EQ(solve_board(walled, &s), SOLVE_STUCK);
}

TEST(Solver, BoardsBeyondItsReachAreReportedNotGuessed) {
    // More tiles than the 64-bit state holds (only possible on a made-up
    // board whose frame is full).
    Board full = {};
    full.width = full.height = 10;
    for (int i = 0; i < 100; i++) full.cells[i] = (uint8_t)(1 + i % 2);
    Solution s;
    EXPECT_EQ(solve_board(full, &s), SOLVE_GAVE_UP);

    // A node limit stops a search that has to branch.
    SmallBoards boards{77};
    int gave_up = 0;
    for (int round = 0; round < 500; round++) {
        Board b = boards.make();
        Solution unlimited, limited;
        SolveResult exact = solve_board(b, &unlimited);
        SolveResult result = solve_board(b, &limited, 1);
        if (unlimited.nodes > 1) {
            EXPECT_EQ(result, SOLVE_GAVE_UP);
            gave_up++;
        } else {
            EXPECT_EQ(result, exact);
        }
    }
    EXPECT_GT(gave_up, 0);
}

TEST(Solver, RandomPlayStatistics) {
    MtRandom g;
    seed_random(&g, 9);
    Board open = board_from(6, 3,
                            {0, 0, 0, 0, 0, 0,  //
                             0, 1, 1, 2, 2, 0,  //
                             0, 0, 0, 0, 0, 0});
    EXPECT_EQ(count_open_moves(open), 2);
    Board walled = board_from(6, 6, {0, 0, 0, 0, 0, 0,  //
                                     0, 1, 2, 3, 4, 0,  //
                                     0, 5, 6, 7, 8, 0,  //
                                     0, 8, 7, 6, 5, 0,  //
                                     0, 4, 3, 2, 1, 0,  //
                                     0, 0, 0, 0, 0, 0});
    EXPECT_EQ(count_open_moves(walled), 0);

    // A stuck board ends every game stuck. With one pair per kind every
    // move is safe, so a clearable board is cleared by every game.
    SmallBoards boards{5};
    int stuck = 0, distinct_cleared = 0, some_dead_ends = 0;
    for (int round = 0; round < 400; round++) {
        Board b = boards.make();
        Solution s;
        SolveResult result = solve_board(b, &s);
        float share = dead_end_share(b, &g, 20);
        if (result == SOLVE_STUCK) {
            EXPECT_EQ(share, 1.0f);
            stuck++;
            continue;
        }
        int per_kind[256] = {};
        bool distinct = true;
        for (int i = 0; i < b.width * b.height; i++)
            if (b.cells[i] && ++per_kind[b.cells[i]] > 2) distinct = false;
        if (distinct) {
            EXPECT_EQ(share, 0.0f);
            distinct_cleared++;
        }
        some_dead_ends += share > 0 && share < 1;
    }
    EXPECT_GT(stuck, 10);
    EXPECT_GT(distinct_cleared, 10);
    EXPECT_GT(some_dead_ends, 0);  // solvable, yet random play can jam
}

TEST(LevelDesign, EveryRegularAndTimeChallengeLevelCanBeCleared) {
    use_shipped_tile_counts();
    static uint8_t offsets[LEVEL_SEED_OFFSET_COUNT];
    static DesignReport report;
    design_seed_offsets(offsets, &report);
    EXPECT_EQ(report.levels, 9999 - 499);
    EXPECT_EQ(report.unfixable_count, 0);
    EXPECT_EQ(report.undecided, 0);
    EXPECT_EQ(report.solvable_after, report.levels);
    EXPECT_LE(report.solvable_before, report.solvable_after);

    // The table the design produced, applied the way the game reads it.
    clear_level_seed_offsets();
    int changed = 0;
    for (int k = 0; k < LEVEL_SEED_OFFSET_COUNT; k++) {
        level_seed_offsets[k] = offsets[k];
        changed += offsets[k] != 0;
    }
    EXPECT_EQ(changed, report.levels - report.solvable_before);
    Board b;
    Solution s;
    for (int level = 1; level <= 9999; level++) {
        if (level_mode((uint16_t)level) == LEVEL_PAIRS_COUNTDOWN) {
            EXPECT_EQ(offsets[level - 1], 0);
            continue;
        }
        ASSERT_TRUE(make_level_layout(&b, (uint16_t)level));
        ASSERT_EQ(solve_board(b, &s), SOLVE_CLEARED) << "level " << level;
        if (level <= 60) expect_order_clears(b, s);
    }
    clear_level_seed_offsets();
}

TEST(LevelDesign, ChoosesTheSmallestOffsetThatWorks) {
    use_shipped_tile_counts();
    static uint8_t offsets[LEVEL_SEED_OFFSET_COUNT];
    static DesignReport report;
    design_seed_offsets(offsets, &report, 40);
    EXPECT_EQ(report.levels, 38);
    Board b;
    Solution s;
    for (int level = 1; level <= 40; level++) {
        if (level_mode((uint16_t)level) == LEVEL_PAIRS_COUNTDOWN) continue;
        for (int offset = 0; offset < offsets[level - 1]; offset++) {
            ASSERT_TRUE(make_layout_with_offset(&b, (uint16_t)level, (uint8_t)offset));
            EXPECT_NE(solve_board(b, &s), SOLVE_CLEARED) << level << " offset " << offset;
        }
    }
    for (int k = 40; k < LEVEL_SEED_OFFSET_COUNT; k++) ASSERT_EQ(offsets[k], 0);
}
