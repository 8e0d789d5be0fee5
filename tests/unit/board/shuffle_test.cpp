// shuffle_test.cpp - permuting the board: derangements of the tiles'
// bounding box, and tiles keeping their drawing records through a shuffle.
#include "board/shuffle.h"
#include "screen/shuffle_flow.h"
#include "screen/board_view.h"
#include "board/tutorial.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "board/board.h"
#include "board/random.h"
#include "board_test_util.h"
#include "screen/game_screen_keys.h"

namespace {

// Marks each cell's sprite with its own cell number (in scale) and a
// texture standing for its picture, and every third tile as a ghost.
Texture* fake_texture(int kind) {
    return reinterpret_cast<Texture*>((uintptr_t)(0x1000 + kind * 16));
}

void tag_sprites() {
    memset(view.level_sprites, 0, sizeof view.level_sprites);
    memset(ghost, 0, sizeof ghost);
    for (int i = 0; i < BOARD_MAX_CELLS; i++) {
        cell_sprites()[i].scale = (float)i;
        cell_sprites()[i].texture = board.cells[i] ? fake_texture(board.cells[i]) : nullptr;
        ghost[i] = board.cells[i] != 0 && i % 3 == 0;
    }
}

// A full 8 x 8 block of 32 different pairs: many arrangements have no move.
Board crowded_board() {
    Board b = {};
    b.width = 10;
    b.height = 10;
    int k = 0;
    for (int r = 1; r <= 8; r++)
        for (int c = 1; c <= 8; c++) b.cells[r * 10 + c] = (uint8_t)(1 + (k++ % 32));
    b.tile_count = 64;
    return b;
}

void expect_records_followed_tiles(const Board& before, const GhostFlag* ghosts_before) {
    const int n = board.width * board.height;
    int tiles = 0;
    for (int i = 0; i < n; i++) {
        int from = (int)cell_sprites()[i].scale;  // the cell this record came from
        ASSERT_GE(from, 0);
        ASSERT_LT(from, n);
        EXPECT_EQ(board.cells[i], before.cells[from]) << "cell " << i;
        EXPECT_EQ(ghost[i], ghosts_before[from]) << "cell " << i;
        if (board.cells[i]) {
            tiles++;
            EXPECT_EQ(cell_sprites()[i].texture, fake_texture(board.cells[i])) << "cell " << i;
            // It starts its slide from the cell it came from.
            Vec2 old_home = cell_home_position((uint8_t)from);
            EXPECT_EQ(cell_sprites()[i].x, old_home.x);
            EXPECT_EQ(cell_sprites()[i].y, old_home.y);
        }
    }
    EXPECT_EQ(tiles, tiles_on(before));
}

struct Shuffle : ::testing::Test {
    void SetUp() override { padding_between_tiles = 6; }
};

}  // namespace

TEST_F(Shuffle, OnePassDerangesTheBoundingBoxOnly) {
    for (uint32_t seed = 1; seed <= 50; seed++) {
        Board b = board_from(7, 6, {0, 0, 0, 0, 0, 0, 0,  //
                                    0, 0, 0, 0, 0, 0, 0,  //
                                    0, 0, 1, 2, 0, 3, 0,  //
                                    0, 0, 0, 4, 5, 6, 0,  //
                                    0, 0, 7, 0, 0, 0, 0,  //
                                    0, 0, 0, 0, 0, 0, 0});
        Board before = b;
        MtRandom g;
        seed_random(&g, seed);
        uint8_t permutation[BOARD_MAX_CELLS];
        ASSERT_TRUE(permute_cells(&b, &g, permutation));
        for (int r = 0; r < 6; r++)
            for (int c = 0; c < 7; c++) {
                int i = r * 7 + c;
                bool in_box = r >= 2 && r <= 4 && c >= 2 && c <= 5;
                if (in_box)
                    EXPECT_NE(permutation[i], i) << "seed " << seed << " cell " << i;
                else
                    EXPECT_EQ(permutation[i], i);
                EXPECT_EQ(b.cells[permutation[i]], before.cells[i]);
            }
        std::map<int, int> kinds_before, kinds_after;
        for (int i = 0; i < 42; i++) {
            kinds_before[before.cells[i]]++;
            kinds_after[b.cells[i]]++;
        }
        EXPECT_EQ(kinds_before, kinds_after);
    }
}

TEST_F(Shuffle, TwoTilesInARowSwap) {
    Board b = board_from(6, 3,
                         {0, 0, 0, 0, 0, 0,  //
                          0, 0, 4, 5, 0, 0,  //
                          0, 0, 0, 0, 0, 0});
    MtRandom g;
    seed_random(&g, 3);
    uint8_t permutation[BOARD_MAX_CELLS];
    ASSERT_TRUE(permute_cells(&b, &g, permutation));
    EXPECT_EQ(b.cells[8], 5);
    EXPECT_EQ(b.cells[9], 4);
    EXPECT_EQ(permutation[8], 9);
    EXPECT_EQ(permutation[9], 8);
}

TEST_F(Shuffle, EmptyBoardAndLoneTileStayAsTheyAre) {
    board = board_from(5, 5, {});
    tag_sprites();
    EXPECT_FALSE(permute_board());
    for (int i = 0; i < BOARD_MAX_CELLS; i++) EXPECT_EQ(shuffle_permutation[i], i);
    EXPECT_EQ(shuffle_board(), 0);
    EXPECT_EQ(tiles_on(board), 0);

    // One tile alone has no other cell in its box to go to: no endless loop.
    board = board_from(5, 5, {0, 0, 0, 0, 0,  //
                              0, 0, 0, 0, 0,  //
                              0, 0, 7, 0, 0,  //
                              0, 0, 0, 0, 0,  //
                              0, 0, 0, 0, 0});
    tag_sprites();
    EXPECT_EQ(shuffle_board(), 0);
    EXPECT_EQ(board.cells[12], 7);
    EXPECT_EQ(cell_sprites()[12].texture, fake_texture(7));
}

TEST_F(Shuffle, BoardWithMovesIsStillRearrangedOnce) {
    seed_random(&shared_random, 11);
    board = board_from(6, 4, {0, 0, 0, 0, 0, 0,  //
                              0, 1, 1, 2, 2, 0,  //
                              0, 3, 3, 4, 4, 0,  //
                              0, 0, 0, 0, 0, 0});
    Board before = board;
    tag_sprites();
    GhostFlag ghosts_before[BOARD_MAX_CELLS];
    memcpy(ghosts_before, ghost, sizeof ghost);
    EXPECT_EQ(shuffle_board(), 1);
    EXPECT_NE(memcmp(board.cells, before.cells, 24), 0);
    expect_records_followed_tiles(before, ghosts_before);
}

TEST_F(Shuffle, RecordsFollowTheirTilesThroughSeveralPasses) {
    int several = 0;
    for (uint32_t seed = 1; seed <= 60; seed++) {
        seed_random(&shared_random, seed);
        board = crowded_board();
        Board before = board;
        tag_sprites();
        GhostFlag ghosts_before[BOARD_MAX_CELLS];
        memcpy(ghosts_before, ghost, sizeof ghost);
        int passes = shuffle_board();
        ASSERT_GE(passes, 1);
        ASSERT_LE(passes, 100);
        if (passes > 1) several++;
        if (passes < 100) EXPECT_TRUE(any_move_exists()) << "seed " << seed;
        expect_records_followed_tiles(before, ghosts_before);
    }
    EXPECT_GT(several, 0);  // the multi-pass path was exercised
}

TEST_F(Shuffle, GivesUpAfterAHundredPassesWithoutAMove) {
    // Two different pictures can never pair: every pass fails.
    seed_random(&shared_random, 5);
    board = board_from(6, 3,
                       {0, 0, 0, 0, 0, 0,  //
                        0, 0, 4, 5, 0, 0,  //
                        0, 0, 0, 0, 0, 0});
    Board before = board;
    tag_sprites();
    GhostFlag ghosts_before[BOARD_MAX_CELLS];
    memcpy(ghosts_before, ghost, sizeof ghost);
    EXPECT_EQ(shuffle_board(), 100);
    // An even number of swaps puts them back where they were.
    EXPECT_EQ(board.cells[8], 4);
    expect_records_followed_tiles(before, ghosts_before);
}

TEST_F(Shuffle, UsesTheSpriteArrayInUse) {
    CellSprite* tutorial_sprites = view.practice_sprites;
    seed_random(&shared_random, 8);
    board = board_from(6, 3,
                       {0, 0, 0, 0, 0, 0,  //
                        0, 0, 4, 4, 0, 0,  //
                        0, 0, 0, 0, 0, 0});
    memset(view.level_sprites, 0, sizeof view.level_sprites);
    memset(view.practice_sprites, 0, sizeof view.practice_sprites);
    tutorial_active = true;
    tutorial_sprites[8].scale = 1;
    shuffle_board();
    EXPECT_EQ(tutorial_sprites[9].scale, 1);
    EXPECT_EQ(view.level_sprites[9].scale, 0);
    tutorial_active = false;
    EXPECT_EQ(cell_sprites(), view.level_sprites);
}
