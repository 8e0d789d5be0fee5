// level_gen_test.cpp - level layouts from level numbers, tile-set rules,
// count files and the level seed offset table.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "board/board.h"
#include "board/random.h"
#include "board_test_util.h"

namespace {

struct LevelGeneration : ::testing::Test {
    void SetUp() override {
        use_shipped_tile_counts();
        clear_level_seed_offsets();
    }
    void TearDown() override { clear_level_seed_offsets(); }
};

std::map<int, int> kind_counts(const Board& b) {
    std::map<int, int> counts;
    for (int i = 0; i < b.width * b.height; i++)
        if (b.cells[i]) counts[b.cells[i]]++;
    return counts;
}

bool same_cells(const Board& a, const Board& b) {
    return a.width == b.width && a.height == b.height &&
           memcmp(a.cells, b.cells, (size_t)(a.width * a.height)) == 0;
}

}  // namespace

TEST_F(LevelGeneration, LevelOneIsThreeKindsTwiceOnFiveByFour) {
    Board first, again;
    ASSERT_TRUE(make_level_layout(&first, 1));
    EXPECT_EQ(first.width, 5);
    EXPECT_EQ(first.height, 4);
    EXPECT_EQ(first.tile_count, 6);
    EXPECT_TRUE(frame_is_empty(first));
    std::map<int, int> expected = {{1, 2}, {2, 2}, {3, 2}};
    EXPECT_EQ(kind_counts(first), expected);
    ASSERT_TRUE(make_level_layout(&again, 1));
    EXPECT_TRUE(same_cells(first, again));
}

TEST_F(LevelGeneration, GlobalBoardGetsTheSameLayout) {
    Board expected;
    ASSERT_TRUE(make_level_layout(&expected, 37));
    ASSERT_TRUE(generate_level_layout(37));
    EXPECT_TRUE(same_cells(board, expected));
    EXPECT_EQ(board.tile_count, expected.tile_count);
}

TEST_F(LevelGeneration, FiveByFiveLeavesTheCentreEmpty) {
    for (int level : {15, 25, 105, 9995}) {
        Board b;
        ASSERT_TRUE(make_level_layout(&b, (uint16_t)level));
        ASSERT_EQ(b.width, 7);
        ASSERT_EQ(b.height, 7);
        EXPECT_EQ(b.cells[(7 * 7) / 2], 0) << level;
        EXPECT_EQ(tiles_on(b), 24) << level;
    }
}

TEST_F(LevelGeneration, SevenBySevenEmptiesTheMiddleColumnOrRowOrBoth) {
    int column_only = 0, row_only = 0, both = 0;
    for (int level = 9; level <= 9999; level += 10) {
        Board b;
        ASSERT_TRUE(make_level_layout(&b, (uint16_t)level));
        ASSERT_EQ(b.width, 9);
        ASSERT_EQ(b.height, 9);
        bool column_empty = true, row_empty = true;
        for (int k = 1; k <= 7; k++) {
            column_empty &= b.cells[k * 9 + 4] == 0;
            row_empty &= b.cells[4 * 9 + k] == 0;
        }
        int tiles = tiles_on(b);
        if (column_empty && row_empty) {
            both++;
            EXPECT_EQ(tiles, 36) << level;
        } else if (column_empty) {
            column_only++;
            EXPECT_EQ(tiles, 42) << level;
        } else {
            ASSERT_TRUE(row_empty) << level;
            row_only++;
            EXPECT_EQ(tiles, 42) << level;
        }
    }
    // random_upto(2) picks the middle case twice as often as each end.
    EXPECT_GT(column_only, 100);
    EXPECT_GT(row_only, 400);
    EXPECT_GT(both, 100);
    Board nineteen;
    ASSERT_TRUE(make_level_layout(&nineteen, 19));
    int tiles = tiles_on(nineteen);
    EXPECT_TRUE(tiles == 42 || tiles == 36);
}

TEST_F(LevelGeneration, KindCountFollowsLevelAndSetSize) {
    // Level 6 (set 1) on its own: K = min(pictures, 7).
    use_tile_counts({5});
    Board b;
    ASSERT_TRUE(make_level_layout(&b, 6));
    std::map<int, int> kinds = kind_counts(b);
    EXPECT_EQ(kinds.size(), 5u);
    EXPECT_EQ(kinds.rbegin()->first, 5);

    use_tile_counts({20});
    ASSERT_TRUE(make_level_layout(&b, 6));
    kinds = kind_counts(b);
    EXPECT_EQ(kinds.size(), 7u);
    EXPECT_EQ(kinds.rbegin()->first, 7);
    // 15 pairs dealt 7, 6, ..., 1, 7, ..., 1, 7: kind 7 three times.
    EXPECT_EQ(kinds[7], 6);
    EXPECT_EQ(kinds[1], 4);
}

TEST_F(LevelGeneration, OffsetEntryChangesOnlyItsOwnLevel) {
    static Board before[60];
    for (int level = 1; level < 60; level++) {
        if (level_mode((uint16_t)level) == LEVEL_PAIRS_COUNTDOWN) continue;
        ASSERT_TRUE(make_level_layout(&before[level], (uint16_t)level));
    }
    level_seed_offsets[17 - 1] = 3;
    for (int level = 1; level < 60; level++) {
        if (level_mode((uint16_t)level) == LEVEL_PAIRS_COUNTDOWN) continue;
        Board now;
        ASSERT_TRUE(make_level_layout(&now, (uint16_t)level));
        if (level == 17)
            EXPECT_FALSE(same_cells(now, before[level]));
        else
            EXPECT_TRUE(same_cells(now, before[level])) << level;
    }
}

TEST_F(LevelGeneration, TimeChallengeUsesEveryPictureOnNineByTen) {
    for (int level : {10, 30, 50, 9990}) {
        Board b;
        ASSERT_TRUE(make_level_layout(&b, (uint16_t)level));
        EXPECT_EQ(b.width, 9);
        EXPECT_EQ(b.height, 10);
        EXPECT_EQ(tiles_on(b), 56);
        std::map<int, int> kinds = kind_counts(b);
        // 28 pairs of a set with 30 or 32 pictures: each kind once.
        EXPECT_EQ(kinds.size(), 28u);
        EXPECT_EQ(kinds.rbegin()->first, picture_count_of_level((uint16_t)level));
    }
}

TEST_F(LevelGeneration, EveryRegularAndTimeChallengeLevelIsSound) {
    ConnectionPath path;
    for (int level = 1; level <= 9999; level++) {
        LevelMode mode = level_mode((uint16_t)level);
        if (mode == LEVEL_PAIRS_COUNTDOWN) continue;
        Board b;
        ASSERT_TRUE(make_level_layout(&b, (uint16_t)level)) << level;
        ASSERT_TRUE(frame_is_empty(b)) << level;
        ASSERT_TRUE(board_has_move(b, &path)) << level;
        ASSERT_EQ(b.tile_count, tiles_on(b)) << level;
        int pictures = picture_count_of_level((uint16_t)level);
        for (auto& kind : kind_counts(b)) {
            ASSERT_EQ(kind.second % 2, 0) << "level " << level << " kind " << kind.first;
            ASSERT_LE(kind.first, pictures) << level;
        }
        if (mode == LEVEL_TIME_CHALLENGE) {
            ASSERT_EQ(tiles_on(b), 56) << level;
        } else {
            static const int tiles_by_slot[9] = {12, 16, 20, 20, 24, 30, 36, 42, 0};
            static const int first_levels[5] = {6, 12, 12, 16, 20};
            int tiles = tiles_on(b);
            if (level <= 5)
                ASSERT_EQ(tiles, first_levels[level - 1]) << level;
            else if ((level - 1) % 10 == 8)
                ASSERT_TRUE(tiles == 42 || tiles == 36) << level;
            else
                ASSERT_EQ(tiles, tiles_by_slot[(level - 1) % 10]) << level;
        }
    }
}

TEST_F(LevelGeneration, PairsCountdownBoardsHaveAMove) {
    seed_random(&shared_random, 5u);
    ConnectionPath path;
    for (int level = 20; level <= 2000; level += 20) {
        Board b;
        ASSERT_TRUE(make_level_layout(&b, (uint16_t)level));
        EXPECT_EQ(b.width, 8);
        EXPECT_EQ(b.height, 10);
        EXPECT_EQ(tiles_on(b), 48);
        EXPECT_TRUE(frame_is_empty(b));
        EXPECT_TRUE(board_has_move(b, &path)) << level;
        for (int i = 0; i < 80; i++) EXPECT_LE(b.cells[i], picture_count_of_level((uint16_t)level));
    }
    // One picture only: every tile alike, still a valid board.
    use_tile_counts({1});
    Board b;
    ASSERT_TRUE(make_level_layout(&b, 20));
    EXPECT_EQ(kind_counts(b)[1], 48);
}

TEST_F(LevelGeneration, NoPicturesGivesAnEmptyBoardInsteadOfHanging) {
    use_tile_counts({});
    Board b;
    EXPECT_FALSE(make_level_layout(&b, 3));
    EXPECT_EQ(b.width * b.height, 0);
    EXPECT_FALSE(make_level_layout(&b, 20));
    EXPECT_FALSE(make_level_layout(&b, 10));

    use_tile_counts({0, 12});
    EXPECT_FALSE(make_level_layout(&b, 5));            // set 1: no pictures
    EXPECT_FALSE(make_level_layout(&b, 10));           // Time Challenge of set 1
    EXPECT_FALSE(make_level_layout(&b, 0));            // no level 0
    EXPECT_TRUE(make_level_layout(&b, 15));            // set 2 is fine
    EXPECT_FALSE(make_layout_with_offset(&b, 20, 0));  // Pairs Countdown is not dealt
}

TEST(TileSets, TenLevelsShareASetAndTheQuotientWrapsAt256) {
    use_tile_counts({10, 11, 12});
    EXPECT_EQ(tile_set_of_level(1), 0);
    EXPECT_EQ(tile_set_of_level(10), 0);
    EXPECT_EQ(tile_set_of_level(11), 1);
    EXPECT_EQ(tile_set_of_level(35), 0);  // (34 / 10) mod 3
    EXPECT_EQ(picture_count_of_level(25), 12);
    // (2561 - 1) / 10 = 256 keeps 0 in eight bits.
    EXPECT_EQ(tile_set_of_level(2561), 0);
    EXPECT_EQ(tile_set_of_level(2551), 255 % 3);
    use_tile_counts({});
    EXPECT_EQ(tile_set_of_level(35), 0);
    EXPECT_EQ(picture_count_of_level(35), 0);
}

TEST(TileSets, ModesAlternateOnEveryTenthLevel) {
    EXPECT_EQ(level_mode(1), LEVEL_REGULAR);
    EXPECT_EQ(level_mode(9), LEVEL_REGULAR);
    EXPECT_EQ(level_mode(10), LEVEL_TIME_CHALLENGE);
    EXPECT_EQ(level_mode(20), LEVEL_PAIRS_COUNTDOWN);
    EXPECT_EQ(level_mode(30), LEVEL_TIME_CHALLENGE);
    EXPECT_EQ(level_mode(40), LEVEL_PAIRS_COUNTDOWN);
    EXPECT_EQ(level_mode(50), LEVEL_TIME_CHALLENGE);
}

TEST(TileSets, PictureNamesCountFromOne) {
    char name[32];
    tile_picture_name(name, sizeof name, 0, 1);
    EXPECT_STREQ(name, "tiles/01/01.png");
    tile_picture_name(name, sizeof name, 7, 32);
    EXPECT_STREQ(name, "tiles/08/32.png");
}

TEST(CountFiles, ReadLikeDecimalText) {
    EXPECT_EQ(parse_count_text("12\n"), 12);
    EXPECT_EQ(parse_count_text("  \t 32"), 32);
    EXPECT_EQ(parse_count_text("+7x"), 7);
    EXPECT_EQ(parse_count_text("x"), 0);
    EXPECT_EQ(parse_count_text(""), 0);
    EXPECT_EQ(parse_count_text("300"), 300 % 256);
    EXPECT_EQ(parse_count_text("-1"), 255);
    EXPECT_EQ(parse_count_text(nullptr), 0);
}

TEST(CountFiles, TablesComeFromTheImagesDirectory) {
    std::string dir = ::testing::TempDir() + "board_counts";
    std::string cmd = "rm -rf '" + dir + "' && mkdir -p '" + dir + "/tiles/01' '" + dir +
                      "/tiles/02' '" + dir + "/tiles/03'";
    ASSERT_EQ(system(cmd.c_str()), 0);
    auto write = [](const std::string& path, const char* text) {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fputs(text, f);
        fclose(f);
    };
    write(dir + "/tiles/count", "3\n");
    write(dir + "/tiles/01/count", "32\n");
    write(dir + "/tiles/02/count", "abc");
    // tiles/03/count missing
    load_tile_set_counts(dir.c_str());
    EXPECT_EQ(tile_set_count, 3);
    EXPECT_EQ(tile_counts[0], 32);
    EXPECT_EQ(tile_counts[1], 0);
    EXPECT_EQ(tile_counts[2], 0);

    write(dir + "/tiles/count", "200");  // more sets than the table holds
    load_tile_set_counts(dir.c_str());
    EXPECT_EQ(tile_set_count, MAX_TILE_SETS);

    load_tile_set_counts((dir + "/nowhere").c_str());
    EXPECT_EQ(tile_set_count, 0);
}

TEST(SeedOffsets, RecordsSetTheirKeyOnly) {
    clear_level_seed_offsets();
    const uint8_t data[] = {0x00, 0x00, 7,    // level 1
                            0x0F, 0x27, 9,    // key 9999: level 10000
                            0x10, 0x27, 5,    // key 10000: outside the table
                            0xFF, 0xFF, 4,    // key 65535: outside
                            0x2A, 0x00, 200,  // key 42
                            0x2B, 0x00};      // partial record: ignored
    apply_level_seed_offsets(data, sizeof data);
    EXPECT_EQ(level_seed_offsets[0], 7);
    EXPECT_EQ(level_seed_offsets[9999], 9);
    EXPECT_EQ(level_seed_offsets[42], 200);
    EXPECT_EQ(level_seed_offsets[43], 0);
    EXPECT_EQ(level_seed_offset(1), 7);
    EXPECT_EQ(level_seed_offset(43), 200);
    EXPECT_EQ(level_seed_offset(0), 0);
    EXPECT_EQ(level_seed_offset(10001), 0);
    int set = 0;
    for (int k = 0; k < LEVEL_SEED_OFFSET_COUNT; k++) set += level_seed_offsets[k] != 0;
    EXPECT_EQ(set, 3);
    clear_level_seed_offsets();
}

TEST(SeedOffsets, FileIsOptional) {
    std::string path = ::testing::TempDir() + "board_offsets_file";
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const uint8_t record[] = {0x05, 0x00, 17};
    fwrite(record, 1, 3, f);
    fclose(f);
    level_seed_offsets[100] = 1;  // stale value from before
    EXPECT_TRUE(load_level_seed_offsets(path.c_str()));
    EXPECT_EQ(level_seed_offsets[5], 17);
    EXPECT_EQ(level_seed_offsets[100], 0);
    EXPECT_FALSE(load_level_seed_offsets((path + ".missing").c_str()));
    EXPECT_EQ(level_seed_offsets[5], 0);
    remove(path.c_str());
}
