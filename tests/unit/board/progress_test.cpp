// progress_test.cpp - level modes and limits, moving on to the next level,
// and the "autosave" record: round trips, every rejection rule, short files
// and the all-or-nothing write.
#include <sys/stat.h>

#include <vector>

#include "audio/sounds.h"
#include "board/save_codec.h"
#include "game_fixture.h"
#include "platform/platform.h"
#include "screen/tile_textures.h"
#include "ui/overlays.h"

namespace {

std::vector<uint8_t> read_bytes(const char* path) {
    size_t length = 0;
    char* data = read_entire_file(path, &length);
    std::vector<uint8_t> bytes;
    if (data) bytes.assign(data, data + length);
    free(data);
    return bytes;
}

void write_bytes(const char* path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// A level 20 record: a 3 x 3 board (n = 9) with one tile inside its frame,
// two ghosts and statistics.
SavedProgress sample_record() {
    SavedProgress p;
    default_saved_progress(&p);
    p.level = 20;
    p.tutorial_done = 1;
    p.music_enabled = 0;
    p.sounds_enabled = 1;
    p.vibrations_enabled = 0;
    p.music_position = 0x0102030405060708ull;
    p.width = 3;
    p.height = 3;
    p.cells[4] = 3;
    p.time_left = 0x1234 % 300;
    p.pair_budget = 77;
    p.ghosts[2] = p.ghosts[7] = 1;
    p.level_time = 12.5f;
    p.best_match_time = 1.25f;
    p.match_count = 9;
    return p;
}

std::vector<uint8_t> encoded(const SavedProgress& p) {
    std::vector<uint8_t> bytes(PROGRESS_MAX_BYTES);
    size_t length = encode_progress(&p, bytes.data(), bytes.size());
    bytes.resize(length);
    return bytes;
}

// Decodes from a buffer of exactly the given length, so that a read past
// its end is caught by the address sanitizer.
SavedProgress decoded(const std::vector<uint8_t>& bytes, size_t length) {
    std::vector<uint8_t> exact(bytes.begin(), bytes.begin() + (long)length);
    SavedProgress p;
    decode_progress(length ? exact.data() : nullptr, length, &p);
    return p;
}

SavedProgress decoded(const std::vector<uint8_t>& bytes) { return decoded(bytes, bytes.size()); }

void expect_defaults_from(const SavedProgress& p, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(p.level, 1);
    EXPECT_EQ(p.tutorial_done, 0);
    EXPECT_EQ(p.music_enabled, 1);
    EXPECT_EQ(p.sounds_enabled, 1);
    EXPECT_EQ(p.vibrations_enabled, 1);
    EXPECT_EQ(p.music_position, 0u);
    EXPECT_FALSE(p.restored);
}

class Levels : public GameTest {};
class SavedRecord : public GameTest {};
class SaveFile : public GameTest {};

// Empties the first tile of the board and its partner, as a match would.
void remove_first_pair() {
    int n = board.width * board.height, first = -1;
    for (int i = 0; i < n; i++) {
        if (board.cells[i] == EMPTY_CELL) continue;
        if (first < 0) {
            first = i;
        } else if (board.cells[i] == board.cells[first]) {
            board.cells[first] = board.cells[i] = EMPTY_CELL;
            return;
        }
    }
}

void start_fresh(uint16_t lvl) {
    level = lvl;
    current_set = tile_set_of_level(lvl);
    restored = false;
    level_state.time_left = 0;
    level_state.pair_budget = 0;
    start_level();
}

}  // namespace

// --- Modes and limits ----------------------------------------------------------------

TEST_F(Levels, ModesAndLimitsFollowTheLevelNumber) {
    // Sets of 20, 20, 15, 20, 18 pictures: level 30 uses the third, 50 the fifth.
    start_fresh(10);
    EXPECT_TRUE(time_challenge);
    EXPECT_FALSE(pairs_countdown);
    EXPECT_EQ(level_state.time_limit, 120);  // the first challenge, whatever the set's size
    EXPECT_EQ(level_state.time_left, 120);
    EXPECT_STREQ(timer_label.text, "2:00");
    EXPECT_STREQ(challenge_label.text, "Time Challenge");
    EXPECT_STREQ(level_label.text, "Level 10");
    EXPECT_EQ(board.width, 9);
    EXPECT_EQ(board.height, 10);
    EXPECT_EQ(board.tile_count, 56);
    EXPECT_FALSE(clock_running());  // waits for the first selection
    EXPECT_EQ(level_state.clock_seconds, 120.0f);

    start_fresh(20);
    EXPECT_TRUE(pairs_countdown);
    EXPECT_FALSE(time_challenge);
    EXPECT_EQ(level_state.pair_budget, 100);
    EXPECT_STREQ(moves_label.text, "100");
    EXPECT_STREQ(challenge_label.text, "Pairs Countdown");
    EXPECT_EQ(board.width, 8);
    EXPECT_EQ(board.height, 10);
    EXPECT_EQ(level_state.time_left, 0);

    start_fresh(30);
    EXPECT_TRUE(time_challenge);
    EXPECT_EQ(level_state.time_limit, 150);
    EXPECT_STREQ(timer_label.text, "2:30");

    start_fresh(40);
    EXPECT_TRUE(pairs_countdown);
    EXPECT_EQ(level_state.pair_budget, 100);

    start_fresh(50);
    EXPECT_TRUE(time_challenge);
    EXPECT_EQ(level_state.time_limit, 180);
    EXPECT_STREQ(timer_label.text, "3:00");

    start_fresh(7);
    EXPECT_FALSE(time_challenge);
    EXPECT_FALSE(pairs_countdown);
    EXPECT_EQ(level_state.time_left, 0);
    EXPECT_STREQ(challenge_label.text, "");
    EXPECT_STREQ(level_label.text, "Level 7");
    EXPECT_EQ(best_match_time, 86400.0f);
    EXPECT_EQ(match_count, 0);
}

TEST_F(Levels, ClockTextIsMinutesAndTwoDigitSeconds) {
    char text[16];
    format_clock_text(text, sizeof text, 75);
    EXPECT_STREQ(text, "1:15");
    format_clock_text(text, sizeof text, 5);
    EXPECT_STREQ(text, "0:05");
    format_clock_text(text, sizeof text, 300);
    EXPECT_STREQ(text, "5:00");
}

TEST_F(Levels, AdvanceMovesOnSavesAndSwapsTileSetsEveryTenLevels) {
    start_fresh(10);
    load_tile_set(current_set);
    ASSERT_TRUE(tile_set_loaded(0));
    advance_level();
    EXPECT_EQ(level, 11);
    EXPECT_EQ(current_set, 1);
    EXPECT_EQ(next_set, 2);
    EXPECT_TRUE(tile_set_loaded(1));
    EXPECT_FALSE(tile_set_loaded(0));
    EXPECT_FALSE(time_challenge);
    // The file already describes the new level and its fresh board.
    SavedProgress saved = decoded(read_bytes("autosave"));
    EXPECT_EQ(saved.level, 11);
    EXPECT_TRUE(saved.restored);
    EXPECT_EQ(saved.width, board.width);
    EXPECT_EQ(0, memcmp(saved.cells, board.cells, (size_t)board.width * board.height));

    advance_level();
    EXPECT_EQ(level, 12);
    EXPECT_EQ(current_set, 1);
    EXPECT_TRUE(tile_set_loaded(1));
}

TEST_F(Levels, TileSetsFollowTheLevelAndSurviveHavingNoSet) {
    level = 25;
    choose_tile_sets();
    EXPECT_EQ(current_set, 2);
    EXPECT_EQ(next_set, 3);
    level = 41;
    choose_tile_sets();
    EXPECT_EQ(next_set, 0) << "the last of five sets is followed by the first";
    use_tile_counts({});
    choose_tile_sets();
    EXPECT_EQ(current_set, 0);
    EXPECT_EQ(next_set, 0);
}

TEST_F(Levels, TheLastLevelIsPlayedAgainInsteadOfWrapping) {
    start_fresh(MAX_LEVEL);
    advance_level();
    EXPECT_EQ(level, MAX_LEVEL);
    EXPECT_STREQ(level_label.text, "Level 9999");
    EXPECT_GT(board.tile_count, 0);
}

TEST_F(Levels, ResetClearsAnimationsSelectionAndCellState) {
    play_board(3, board_from(4, 3, {0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0}));
    press_cell(5);
    ASSERT_TRUE(level_state.selected);
    start_tween("line_alpha", &level_state.line_alpha, 0, 1, 1, ease_out_sine);
    float demo_target = 0;
    start_tween("help_popup_line_alpha", &demo_target, 0, 1, 1, ease_out_sine);
    float other = 0;
    start_tween("menu_panel_scale_up", &other, 0, 1, 1, ease_out_sine);
    level_state.removing[6] = ghost[6] = shuffling[6] = draw_layer[6] = 1;
    level_state.removing_count = 2;

    reset_level_state();
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(find_tween("tile5_bounce"), nullptr);
    EXPECT_EQ(find_tween("line_alpha"), nullptr);
    EXPECT_EQ(find_tween("help_popup_line_alpha"), nullptr);
    EXPECT_NE(find_tween("menu_panel_scale_up"), nullptr);  // not a level animation
    EXPECT_EQ(level_state.removing_count, 0);
    EXPECT_EQ(level_state.removing[6] + ghost[6] + shuffling[6] + draw_layer[6], 0);
    EXPECT_EQ(level_sprites[5].texture, nullptr);
    EXPECT_EQ(level_sprites[5].scale, 0.0f);
}

TEST_F(Levels, UnusableTileSetsAreNamed) {
    char message[256];
    use_tile_counts({20, 0, 5});
    EXPECT_FALSE(tile_sets_usable(message, sizeof message));
    EXPECT_NE(strstr(message, "tiles/02/count"), nullptr) << message;
    use_tile_counts({});
    EXPECT_FALSE(tile_sets_usable(message, sizeof message));
    EXPECT_NE(strstr(message, "tiles/count"), nullptr) << message;
    use_tile_counts({20, 5});
    EXPECT_TRUE(tile_sets_usable(message, sizeof message));
}

// --- The record --------------------------------------------------------------------------

TEST_F(SavedRecord, EncodesTheVersionTwoLayout) {
    SavedProgress p = sample_record();
    std::vector<uint8_t> bytes = encoded(p);
    const size_t n = 9, k = 2;
    ASSERT_EQ(bytes.size(), 32 + n + k);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1] | bytes[2] << 8, 20);
    EXPECT_EQ(bytes[7], 0x08);  // little-endian music position
    EXPECT_EQ(bytes[14], 0x01);
    EXPECT_EQ(bytes[15], 3);
    EXPECT_EQ(bytes[16], 3);
    EXPECT_EQ(bytes[17 + 4], 3);  // the tile in the middle
    EXPECT_EQ(bytes[17 + n + 2] | bytes[17 + n + 3] << 8, 77);
    EXPECT_EQ(bytes[21 + n], k);
    EXPECT_EQ(bytes[22 + n], 2);  // ghost indices in increasing order
    EXPECT_EQ(bytes[23 + n], 7);
    float best;
    memcpy(&best, &bytes[26 + n + k], 4);
    EXPECT_EQ(best, 1.25f);
    EXPECT_EQ(bytes[30 + n + k], 9);
}

TEST_F(SavedRecord, SettingsSitAtOffsetsThreeToSix) {
    SavedProgress p = sample_record();
    p.tutorial_done = 1;
    p.music_enabled = 2;  // distinct values, so no two can trade places unseen
    p.sounds_enabled = 3;
    p.vibrations_enabled = 4;
    std::vector<uint8_t> bytes = encoded(p);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 3, bytes.begin() + 7),
              (std::vector<uint8_t>{1, 2, 3, 4}));
    bytes[3] = 5;  // tutorial_done
    bytes[4] = 6;  // music_enabled
    bytes[5] = 7;  // sounds_enabled
    bytes[6] = 8;  // vibrations_enabled
    SavedProgress q = decoded(bytes);
    EXPECT_EQ(q.tutorial_done, 5);
    EXPECT_EQ(q.music_enabled, 6);
    EXPECT_EQ(q.sounds_enabled, 7);
    EXPECT_EQ(q.vibrations_enabled, 8);
}

TEST_F(SavedRecord, RoundTripKeepsEveryField) {
    SavedProgress p = sample_record();
    SavedProgress q = decoded(encoded(p));
    EXPECT_TRUE(q.restored);
    EXPECT_TRUE(q.pair_budget_read);
    EXPECT_EQ(q.level, p.level);
    EXPECT_EQ(q.tutorial_done, p.tutorial_done);
    EXPECT_EQ(q.music_enabled, p.music_enabled);
    EXPECT_EQ(q.sounds_enabled, p.sounds_enabled);
    EXPECT_EQ(q.vibrations_enabled, p.vibrations_enabled);
    EXPECT_EQ(q.music_position, p.music_position);
    EXPECT_EQ(q.width, p.width);
    EXPECT_EQ(q.height, p.height);
    EXPECT_EQ(0, memcmp(q.cells, p.cells, 9));
    EXPECT_EQ(q.time_left, p.time_left);
    EXPECT_EQ(q.pair_budget, p.pair_budget);
    EXPECT_EQ(q.ghost_count, 2);
    EXPECT_EQ(0, memcmp(q.ghosts, p.ghosts, sizeof q.ghosts));
    EXPECT_EQ(q.level_time, p.level_time);
    EXPECT_EQ(q.best_match_time, p.best_match_time);
    EXPECT_EQ(q.match_count, p.match_count);
}

TEST_F(SavedRecord, RejectionRulesKeepWhatCameBefore) {
    SavedProgress good = sample_record();
    const size_t n = 9;

    std::vector<uint8_t> bytes = encoded(good);
    bytes[0] = 3;
    expect_defaults_from(decoded(bytes), "version 3");

    bytes = encoded(good);
    bytes[1] = bytes[2] = 0;
    expect_defaults_from(decoded(bytes), "level 0: the settings are not read");

    bytes = encoded(good);
    bytes[1] = 10000 & 0xff;
    bytes[2] = 10000 >> 8;
    expect_defaults_from(decoded(bytes), "level 10000");

    bytes = encoded(good);
    bytes[15] = 11;
    SavedProgress p = decoded(bytes);
    EXPECT_EQ(p.level, 20);
    EXPECT_EQ(p.music_enabled, 0);
    EXPECT_EQ(p.tutorial_done, 1);
    EXPECT_FALSE(p.restored) << "width 11: a new board is generated";

    bytes = encoded(good);
    bytes[16] = 11;
    EXPECT_FALSE(decoded(bytes).restored) << "height 11";

    // Level 20 uses the second set: 20 pictures.
    bytes = encoded(good);
    bytes[17 + 4] = 20;
    EXPECT_TRUE(decoded(bytes).restored) << "a cell may show the set's last picture";
    bytes[17 + 4] = 21;
    p = decoded(bytes);
    EXPECT_FALSE(p.restored) << "a cell above the set's picture count";
    EXPECT_EQ(p.level, 20);

    bytes = encoded(good);
    bytes[17 + n] = (MAX_TIME_LIMIT + 1) & 0xff;
    bytes[18 + n] = (MAX_TIME_LIMIT + 1) >> 8;
    p = decoded(bytes);
    EXPECT_TRUE(p.restored);
    EXPECT_EQ(p.time_left, 0);
    EXPECT_EQ(p.pair_budget, 0) << "fields after a failed check keep their defaults";
    EXPECT_FALSE(p.pair_budget_read);
    EXPECT_EQ(p.ghost_count, 0);

    bytes = encoded(good);
    bytes[19 + n] = 301 & 0xff;
    bytes[20 + n] = 301 >> 8;
    p = decoded(bytes);
    EXPECT_EQ(p.pair_budget, 0);
    EXPECT_EQ(p.ghosts[2], 0);

    bytes = encoded(good);
    bytes[22 + n] = 150;  // not a cell: skipped, the other ghost stays
    p = decoded(bytes);
    EXPECT_EQ(p.ghosts[7], 1);
    EXPECT_EQ(p.match_count, 9);
}

TEST_F(SavedRecord, OutOfRangeStatisticsFallBack) {
    SavedProgress p = sample_record();
    p.level_time = 864001.0f;
    p.best_match_time = 0.0f;
    p.match_count = 101;
    SavedProgress q = decoded(encoded(p));
    EXPECT_EQ(q.level_time, 0.0f);
    EXPECT_EQ(q.best_match_time, 86400.0f);
    EXPECT_EQ(q.match_count, 0);
    p.best_match_time = 86401.0f;
    EXPECT_EQ(decoded(encoded(p)).best_match_time, 86400.0f);
}

TEST_F(SavedRecord, VersionOneLoadsWithZeroStatistics) {
    SavedProgress p = sample_record();
    std::vector<uint8_t> bytes = encoded(p);
    bytes.resize(22 + 9 + 2);
    bytes[0] = 1;
    SavedProgress q = decoded(bytes);
    EXPECT_TRUE(q.restored);
    EXPECT_EQ(q.pair_budget, 77);
    EXPECT_EQ(q.ghosts[7], 1);
    EXPECT_EQ(q.level_time, 0.0f);
    EXPECT_EQ(q.match_count, 0);
    EXPECT_EQ(q.best_match_time, 86400.0f) << "no pair timed yet";
    // A version 1 file stops before the statistics even when more follows.
    std::vector<uint8_t> longer = encoded(p);
    longer[0] = 1;
    EXPECT_EQ(decoded(longer).match_count, 0);
}

TEST_F(SavedRecord, TruncatedFilesNeverReadPastTheEnd) {
    SavedProgress p = sample_record();
    std::vector<uint8_t> bytes = encoded(p);
    const size_t n = 9, k = 2, full = bytes.size();
    for (size_t length = 0; length <= full; length++) {
        SCOPED_TRACE(length);
        SavedProgress q = decoded(bytes, length);
        EXPECT_EQ(q.level, length >= 3 ? 20 : 1);
        EXPECT_EQ(q.music_enabled, length >= 15 ? 0 : 1);
        EXPECT_EQ(q.music_position, length >= 15 ? p.music_position : 0u);
        EXPECT_EQ(q.restored, length >= 17 + n);
        EXPECT_EQ(q.time_left, length >= 19 + n ? p.time_left : 0);
        EXPECT_EQ(q.pair_budget, length >= 21 + n ? 77 : 0);
        EXPECT_EQ(q.ghost_count, length >= 22 + n + k ? 2 : 0);
        EXPECT_EQ(q.ghosts[2], length >= 22 + n + k ? 1 : 0);
        EXPECT_EQ(q.level_time, length >= 26 + n + k ? 12.5f : 0.0f);
        EXPECT_EQ(q.best_match_time, length >= 30 + n + k ? 1.25f : 86400.0f);
        EXPECT_EQ(q.match_count, length == full ? 9 : 0);
    }
}

// --- Saving and loading the game ------------------------------------------------------

TEST_F(SaveFile, QuittingMidLevelRestoresBoardClockAndBudget) {
    // A Time Challenge half played.
    level = 30;
    current_set = tile_set_of_level(30);
    start_fresh(30);
    remove_first_pair();
    level_state.time_left = 75;
    start_clock();
    ASSERT_TRUE(save_progress());
    Board before = board;
    EXPECT_EQ(read_bytes("autosave").size(), 32u + board.width * board.height);

    board = Board{};
    level_state.time_left = 0;
    load_progress();
    EXPECT_TRUE(restored);
    start_level();
    EXPECT_EQ(0, memcmp(board.cells, before.cells, sizeof before.cells));
    EXPECT_EQ(level_state.time_left, 75);
    EXPECT_STREQ(timer_label.text, "1:15");
    EXPECT_FALSE(clock_running()) << "the clock waits for the first selection";
    EXPECT_FALSE(restored);

    // A Pairs Countdown with ghosts: the budget and ghosts come back.
    start_fresh(40);
    level_state.pair_budget = 57;
    board.cells[board.width + 1] = 0;
    ghost[board.width + 1] = 1;
    ASSERT_TRUE(save_progress());
    EXPECT_EQ(read_bytes("autosave").size(), 32u + 80 + 1);
    memset(ghost, 0, sizeof ghost);
    level_state.pair_budget = 0;
    ghost_appear_factor = 0;
    load_progress();
    start_level();
    EXPECT_EQ(level_state.pair_budget, 57);
    EXPECT_STREQ(moves_label.text, "57");
    EXPECT_EQ(ghost[board.width + 1], 1);
    EXPECT_EQ(ghost_appear_factor, 1.0f) << "restored ghosts show at full size";
}

TEST_F(SaveFile, GhostsAreSavedOnlyInPairsCountdown) {
    start_fresh(7);
    ghost[board.width + 1] = 1;
    ASSERT_TRUE(save_progress());
    std::vector<uint8_t> bytes = read_bytes("autosave");
    size_t n = (size_t)board.width * board.height;
    ASSERT_EQ(bytes.size(), 32 + n);
    EXPECT_EQ(bytes[21 + n], 0);
}

TEST_F(SaveFile, StatisticsOfARegularLevelSurviveARestart) {
    start_fresh(4);
    level_time = 33.5f;
    best_match_time = 2.5f;
    match_count = 3;
    ASSERT_TRUE(save_progress());
    level_time = 0;
    match_count = 0;
    load_progress();
    start_level();
    EXPECT_EQ(level_time, 33.5f);
    EXPECT_EQ(best_match_time, 2.5f);
    EXPECT_EQ(match_count, 3);
}

TEST_F(SaveFile, ADamagedBoardIsGeneratedAnew) {
    start_fresh(7);
    Board generated = board;
    ASSERT_TRUE(save_progress());
    std::vector<uint8_t> bytes = read_bytes("autosave");
    bytes[15] = 11;
    write_bytes("autosave", bytes);
    board = Board{};
    load_progress();
    EXPECT_EQ(level, 7);
    EXPECT_FALSE(restored);
    start_level();
    EXPECT_EQ(0, memcmp(board.cells, generated.cells, sizeof board.cells));
}

TEST_F(SaveFile, MissingFileIsAFirstStart) {
    level = 55;
    tutorial_done = 1;
    sounds_enabled = 0;
    load_progress();
    EXPECT_EQ(level, 1);
    EXPECT_EQ(tutorial_done, 0);
    EXPECT_EQ(sounds_enabled, 1);
    EXPECT_FALSE(restored);
    sounds_enabled = 0;
}

TEST_F(SaveFile, AFailedWriteLeavesTheOldFileWhole) {
    start_fresh(7);
    ASSERT_TRUE(save_progress());
    std::vector<uint8_t> before = read_bytes("autosave");
    ASSERT_FALSE(before.empty());

    // The temporary file cannot be created: the save fails, the file stays.
    ASSERT_EQ(mkdir("autosave.tmp", 0700), 0);
    start_fresh(8);
    EXPECT_FALSE(save_progress());
    EXPECT_EQ(read_bytes("autosave"), before);
    rmdir("autosave.tmp");

    EXPECT_TRUE(save_progress());
    EXPECT_EQ(decoded(read_bytes("autosave")).level, 8);
    struct stat info;
    EXPECT_NE(stat("autosave.tmp", &info), 0) << "no temporary file is left behind";
}

TEST_F(SaveFile, NothingIsWrittenBeforeProgressWasLoaded) {
    start_fresh(7);
    ASSERT_TRUE(save_progress());
    std::vector<uint8_t> before = read_bytes("autosave");
    level = 0;
    EXPECT_FALSE(save_progress());
    EXPECT_EQ(read_bytes("autosave"), before);
}

TEST_F(SaveFile, AWonLevelReopensItsPopupAtTheNextStart) {
    start_fresh(7);
    for (int i = 0; i < BOARD_MAX_CELLS; i++) board.cells[i] = 0;
    ASSERT_TRUE(save_progress());
    load_progress();
    start_level();
    EXPECT_TRUE(overlay_open(OVERLAY_WIN_POPUP));

    // A Pairs Countdown whose budget was spent: the challenge popup again.
    close_overlay(OVERLAY_WIN_POPUP);
    start_fresh(20);
    level_state.pair_budget = 0;
    ASSERT_TRUE(save_progress());
    load_progress();
    start_level();
    EXPECT_TRUE(overlay_open(OVERLAY_WIN2_POPUP));
    EXPECT_EQ(level_state.pair_budget, 0);
    EXPECT_STREQ(moves_label.text, "");

    close_overlay(OVERLAY_WIN2_POPUP);
    load_progress();
    tutorial_done = 0;  // the first-run tutorial comes first
    start_level();
    start_tutorial();
    EXPECT_FALSE(overlay_open(OVERLAY_WIN2_POPUP));
    end_tutorial();
    EXPECT_TRUE(overlay_open(OVERLAY_WIN2_POPUP));
}

TEST_F(SaveFile, ALostTimeChallengeStaysLostAfterARestart) {
    start_fresh(10);
    remove_first_pair();
    level_state.time_left = 0;  // "Time's up" was showing at the quit
    ASSERT_TRUE(save_progress());
    board = Board{};
    load_progress();
    start_level();
    EXPECT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 1);
    EXPECT_EQ(level_state.time_left, 0);
    EXPECT_FALSE(clock_running());
    EXPECT_EQ(board.tile_count, 54);

    lose_popup_input_delay = 0;
    run_ui_action(lose_popup_click());
    EXPECT_EQ(level_state.time_left, 120) << "the retry is dealt afresh with a full clock";
    EXPECT_EQ(board.tile_count, 56);
}

TEST_F(SaveFile, RestoredClockAndBudgetAreCappedAtTheLevelsRule) {
    start_fresh(10);
    level_state.time_left = 300;
    ASSERT_TRUE(save_progress());
    load_progress();
    start_level();
    EXPECT_EQ(level_state.time_left, 120);
    EXPECT_STREQ(timer_label.text, "2:00");

    start_fresh(20);
    level_state.pair_budget = 300;
    ASSERT_TRUE(save_progress());
    load_progress();
    start_level();
    EXPECT_EQ(level_state.pair_budget, 100);
}

TEST_F(SavedRecord, ABoardThatCannotBeFinishedIsDealtAfreshKeepingTheRest) {
    SavedProgress empty = sample_record();
    empty.width = empty.height = 0;
    SavedProgress narrow = sample_record();
    narrow.width = 2;
    narrow.height = 4;
    SavedProgress framed = sample_record();
    framed.cells[1] = 5;
    SavedProgress odd = sample_record();  // a regular level: pictures pair up
    odd.level = 4;
    for (const SavedProgress& p : {empty, narrow, framed, odd}) {
        SavedProgress q = decoded(encoded(p));
        EXPECT_FALSE(q.restored);
        EXPECT_EQ(q.width, 0);
        EXPECT_EQ(q.time_left, 0);
        EXPECT_EQ(q.pair_budget, 0);
        EXPECT_EQ(q.ghost_count, 0);
        EXPECT_EQ(q.ghosts[7], 0);
        EXPECT_EQ(q.level, p.level);
        EXPECT_EQ(q.music_enabled, 0);
        EXPECT_EQ(q.level_time, 12.5f);
        EXPECT_EQ(q.match_count, 9);
    }

    // An empty board of no size never skips a level through the win popup.
    std::vector<uint8_t> bytes = encoded(empty);
    write_bytes("autosave", bytes);
    load_progress();
    start_level();
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP) + overlay_open(OVERLAY_WIN_POPUP), 0);
    EXPECT_EQ(board.width, 8);
}
