// game_events_test.cpp - what the frame update and the end of each removal
// decide: the Time Challenge clock and its lose popup, won levels and
// challenges, the Pairs Countdown refill, the no-moves state and its
// shuffle, and the play-time counters.
#include <string>
#include <vector>

#include "board/level.h"
#include "board/shuffle.h"
#include "screen/shuffle_flow.h"
#include "screen/tile_textures.h"
#include "../board/game_fixture.h"
#include "ui/overlays.h"

namespace {

// Two tiles of one picture side by side: one pair clears the board.
Board one_pair_board() {
    return board_from(4, 3, {0, 0, 0, 0,  //
                             0, 2, 2, 0,  //
                             0, 0, 0, 0});
}

// The same crossed board as the click tests: four pairs, the 1s walled in.
Board crossed_board() {
    return board_from(6, 4, {0, 0, 0, 0, 0, 0,  //
                             0, 1, 2, 2, 3, 0,  //
                             0, 4, 1, 4, 3, 0,  //
                             0, 0, 0, 0, 0, 0});
}

// A 2 x 2 checkerboard of 1s and 5s (no pair connects) beside two
// removable columns: 3s in cells 11 and 18, 6s in cells 12 and 19.
Board last_moves_board() {
    return board_from(7, 4, {0, 0, 0, 0, 0, 0, 0,  //
                             0, 1, 5, 0, 3, 6, 0,  //
                             0, 5, 1, 0, 3, 6, 0,  //
                             0, 0, 0, 0, 0, 0, 0});
}

// Pairs Countdown, 6 x 8 inner cells (T = 32): rows 1-5 full and four tiles
// in row 6, 34 tiles in side-by-side pairs of distinct pictures.
Board countdown_board() {
    Board b = {};
    b.width = 8;
    b.height = 10;
    uint8_t kind = 1;
    for (int r = 1; r <= 6; r++)
        for (int c = 1; c <= 6; c += 2) {
            if (r == 6 && c == 5) break;
            b.cells[r * 8 + c] = b.cells[r * 8 + c + 1] = kind++;
        }
    return b;
}

int ghost_count() {
    int n = 0;
    for (int i = 0; i < BOARD_MAX_CELLS; i++) n += ghost[i];
    return n;
}

class Clock : public GameTest {};
class LevelEnd : public GameTest {};
class Countdown : public GameTest {};
class NoMoves : public GameTest {};
class PlayTime : public GameTest {};

}  // namespace

// --- Time Challenge clock --------------------------------------------------------------

TEST_F(Clock, StartsWithTheFirstSelection) {
    play_board(10, crossed_board());
    frames(120);
    EXPECT_EQ(level_state.time_left, 120);
    EXPECT_STREQ(timer_label.text, "2:00");
    press_cell(7);
    EXPECT_TRUE(clock_running());
    EXPECT_EQ(timer_highlight, timer_label_settings.highlight_duration);
    frames(1);
    EXPECT_EQ(level_state.time_left, 119);
    EXPECT_STREQ(timer_label.text, "1:59");
}

TEST_F(Clock, StandsStillDuringTheTutorial) {
    play_board(10, crossed_board());
    press_cell(7);
    tutorial_active = true;
    float before = level_state.clock_seconds;
    frames(60);
    EXPECT_EQ(level_state.clock_seconds, before);
}

TEST_F(Clock, WaitsWhileTheWindowIsAwayAndGoesOnFromTheSameValue) {
    play_board(10, crossed_board());
    press_cell(7);
    frames(90);
    float before = level_state.clock_seconds;
    uint16_t shown = level_state.time_left;
    window_away = true;
    EXPECT_EQ(seconds_to_next_clock_second(), -1.0f) << "no wake-ups for a clock that waits";
    frames(600);
    EXPECT_EQ(level_state.clock_seconds, before);
    EXPECT_EQ(level_state.time_left, shown);
    EXPECT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 0);
    window_away = false;
    frames(60);
    EXPECT_NEAR(level_state.clock_seconds, before - 60 * TEST_FRAME, 1e-3);
    EXPECT_TRUE(clock_running());
}

TEST_F(Clock, FlashesInTheLastSecondsAndLosesOnceAtZero) {
    play_board(10, crossed_board());
    press_cell(7);
    level_state.clock_seconds = 7.5f;
    level_state.time_left = 7;
    timer_highlight = 0;
    std::vector<std::string> shown;
    int openings = 0;
    for (int i = 0; i < 60 * 10; i++) {
        uint16_t before = level_state.time_left;
        uint8_t was_open = overlay_open(OVERLAY_LOSE_POPUP);
        update_game_screen(shell.frame_delta);
        if (overlay_open(OVERLAY_LOSE_POPUP) && !was_open) {
            openings++;
            EXPECT_EQ(lose_popup_input_delay, 0.4f) << "not counted in the frame it opened";
        }
        if (level_state.time_left == before) continue;
        shown.push_back(timer_label.text);
        if (level_state.time_left >= 1 && level_state.time_left <= 5)
            EXPECT_FLOAT_EQ(timer_highlight, timer_label_settings.highlight_duration);
        else if (level_state.time_left == 6)
            EXPECT_LE(timer_highlight, 0.0f);
    }
    std::vector<std::string> expected = {"0:06", "0:05", "0:04", "0:03", "0:02", "0:01", "0:00"};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(openings, 1);
    EXPECT_FALSE(clock_running());
    EXPECT_LE(timer_highlight, 0.0f);

    start_clock();  // a flash from the first frame after a second's sleep
    level_state.clock_seconds = 5.5f;
    update_game_screen(0.9f);
    EXPECT_FLOAT_EQ(timer_highlight, timer_label_settings.highlight_duration);
}

TEST_F(Clock, TheLosePopupIgnoresPressesForFourTenthsOfASecond) {
    play_board(10, crossed_board());
    press_cell(7);
    level_state.clock_seconds = 0.01f;
    frames(1);
    ASSERT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 1);
    press_cell(8);
    EXPECT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 1);
    frames_for(0.3f);
    press_cell(8);
    EXPECT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 1);
    frames_for(0.1f);
    press_cell(8);
    EXPECT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 0);
    // The same level again, freshly dealt, its clock waiting.
    EXPECT_EQ(level, 10);
    EXPECT_EQ(level_state.time_left, 120);
    EXPECT_FALSE(clock_running());
    EXPECT_EQ(board.width, 9);
    EXPECT_EQ(board.tile_count, 56);
    EXPECT_FALSE(level_state.selected);
}

TEST_F(Clock, ARunOutClockDropsTheHeldTileAndIgnoresItsRelease) {
    play_board(10, one_pair_board());
    press_cell(5);
    level_state.clock_seconds = 0.01f;
    frames(1);
    ASSERT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 1);
    EXPECT_FALSE(level_state.selected);
    release_cell(6);
    // A press swallowed by the popup's delay, then its release.
    press_cell(5);
    release_cell(6);
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(board.tile_count, 2) << "no pair goes under the lose popup";
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP), 0);
    EXPECT_EQ(level, 10);
}

TEST_F(Clock, TheLastPairMatchedInTimeWinsWhileItShrinks) {
    play_board(10, one_pair_board());
    press_cell(5);
    level_state.clock_seconds = 0.05f;
    press_cell(6);
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 0);
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP), 1);
}

// --- Won levels --------------------------------------------------------------------------

TEST_F(LevelEnd, ARegularLevelOpensTheWinPopup) {
    play_board(3, one_pair_board());
    press_cell(5);
    press_cell(6);
    EXPECT_EQ(overlay_open(OVERLAY_WIN_POPUP), 0) << "only when the tiles have shrunk away";
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(overlay_open(OVERLAY_WIN_POPUP), 1);
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP), 0);
    EXPECT_EQ(board.tile_count, 0);
    EXPECT_FALSE(no_moves_shown());
}

TEST_F(LevelEnd, ATimeChallengeOpensTheTileSetPopup) {
    play_board(10, one_pair_board());
    press_cell(5);
    press_cell(6);
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP), 1);
    EXPECT_EQ(overlay_open(OVERLAY_WIN_POPUP), 0);
    EXPECT_FALSE(clock_running());
    EXPECT_EQ(level_state.time_left, 0);
    EXPECT_TRUE(tile_set_loaded(next_set));
}

TEST_F(LevelEnd, AResultClosesTheMenuFirst) {
    play_board(3, one_pair_board());
    press_cell(5);
    press_cell(6);
    press_at(logical_width + menu_button_rel_pos.x - menu_button_size.x / 2,
             menu_button_rel_pos.y + menu_button_size.y / 2);
    ASSERT_EQ(overlay_open(OVERLAY_MENU_PANEL), 1);
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(overlay_open(OVERLAY_WIN_POPUP), 1);
    EXPECT_EQ(overlay_open(OVERLAY_MENU_PANEL), 0);
    EXPECT_EQ(overlay_open(OVERLAY_PROGRESS_PANEL), 0);
}

// --- Pairs Countdown -----------------------------------------------------------------

TEST_F(Countdown, TwoGhostsAppearAtThirtyTilesAndBecomeTilesNextRemoval) {
    play_board(20, countdown_board());
    ASSERT_EQ(board.tile_count, 34);
    ASSERT_EQ(level_state.pair_budget, 100);
    const float removal = tile_remove_duration1 + tile_remove_duration2;

    press_cell(6 * 8 + 3);
    press_cell(6 * 8 + 4);
    EXPECT_EQ(level_state.pair_budget, 99);
    EXPECT_STREQ(moves_label.text, "99");
    frames_for(removal);
    EXPECT_EQ(board.tile_count, 32);
    EXPECT_EQ(ghost_count(), 0);

    press_cell(6 * 8 + 1);
    press_cell(6 * 8 + 2);
    frames_for(removal);
    EXPECT_EQ(board.tile_count, 30);
    ASSERT_EQ(ghost_count(), 2);
    std::vector<int> ghosts;
    for (int i = 0; i < BOARD_MAX_CELLS; i++)
        if (ghost[i]) {
            ghosts.push_back(i);
            EXPECT_EQ(board.cells[i], 0);
            EXPECT_GE(i % 8, 1);
            EXPECT_LE(i % 8, 6);
            EXPECT_GE(i / 8, 1);
            EXPECT_LE(i / 8, 8);
        }
    EXPECT_NE(find_tween("ghost_appear"), nullptr);

    press_cell(1 * 8 + 1);
    press_cell(1 * 8 + 2);
    frames(1);
    EXPECT_EQ(ghost_count(), 2) << "the ghosts wait for the next removal to end";
    frames_for(removal);
    EXPECT_EQ(board.tile_count, 30);
    for (int i : ghosts) {
        EXPECT_GE(board.cells[i], 1) << "ghost " << i << " became a tile";
        EXPECT_LE(board.cells[i], tile_counts[current_set]);
    }
    EXPECT_EQ(ghost_count(), 2) << "and two new ones are announced";

    ASSERT_NE(find_cell_tween(TWEEN_APPEAR, (uint8_t)ghosts[0]), nullptr);
    press_cell(ghosts[0]);  // still appearing: shown whole at once
    frames_for(tile_bounce_duration);
    EXPECT_NEAR(sprite[ghosts[0]].scale, 0.0f, 1e-5);
}

TEST_F(Countdown, ASpentBudgetWinsWithTilesLeft) {
    play_board(20, countdown_board());
    level_state.pair_budget = 1;
    press_cell(8 + 1);
    press_cell(8 + 2);
    EXPECT_EQ(level_state.pair_budget, 0);
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_GT(board.tile_count, 0);
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP), 1);
    EXPECT_EQ(overlay_open(OVERLAY_WIN_POPUP), 0);
    EXPECT_STREQ(moves_label.text, "");
    press_cell(8 + 3);
    EXPECT_FALSE(level_state.selected);
}

TEST_F(Countdown, TheLastBudgetedPairClearingTheBoardCompletesTheSetOnly) {
    play_board(20, one_pair_board());
    level_state.pair_budget = 1;
    press_cell(5);
    press_cell(6);
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP), 1);
    EXPECT_EQ(overlay_open(OVERLAY_WIN_POPUP), 0) << "one popup, one level advanced";
}

// --- No moves left -------------------------------------------------------------------

TEST_F(NoMoves, ShownOnlyAfterBothRemovalsEndThenTheNextPressShuffles) {
    play_board(3, last_moves_board());
    press_cell(11);
    press_cell(18);
    frames(3);
    press_cell(12);
    press_cell(19);
    for (int i = 0; i < 120 && level_state.removing[11]; i++) update_game_screen(shell.frame_delta);
    ASSERT_EQ(level_state.removing[11], 0);
    ASSERT_EQ(level_state.removing[12], 1) << "the second pair is still shrinking";
    EXPECT_FALSE(no_moves_shown());
    for (int i = 0; i < 120 && level_state.removing_count; i++)
        update_game_screen(shell.frame_delta);
    EXPECT_TRUE(no_moves_shown());
    EXPECT_EQ(board.tile_count, 4);

    // The menu button only opens the menu.
    float x = logical_width + menu_button_rel_pos.x - menu_button_size.x / 2;
    press_at(x, menu_button_rel_pos.y + menu_button_size.y / 2);
    EXPECT_TRUE(no_moves_shown());
    close_menu_panel();

    Board before = board;
    press_at(1, logical_height - 1);
    EXPECT_FALSE(no_moves_shown());
    EXPECT_NE(0, memcmp(before.cells, board.cells, sizeof board.cells));
    for (int i : {8, 9, 15, 16}) {
        EXPECT_EQ(shuffling[i], 1);
        TweenSlot* slide = find_tween(("tile" + std::to_string(i) + "_shuffle_y").c_str());
        ASSERT_NE(slide, nullptr);
        EXPECT_GE(slide->duration, 0.4f);
        EXPECT_LE(slide->duration, 0.6f);
    }
    frames_for(0.6f);
    for (int i = 0; i < board.width * board.height; i++) {
        EXPECT_EQ(shuffling[i], 0);
        EXPECT_EQ(sprite[i].x, cell_home_position((uint8_t)i).x);
        EXPECT_EQ(sprite[i].y, cell_home_position((uint8_t)i).y);
    }
}

TEST_F(NoMoves, AShuffleWithoutFreeTweenSlotsPutsTilesHomeAtOnce) {
    play_board(3, crossed_board());
    press_cell(7);
    float sink = 0;
    while (start_tween("filler", &sink, 0, 1, 100, ease_out_sine)) {
    }
    shuffle_board();
    EXPECT_FALSE(level_state.selected);
    for (int i = 0; i < board.width * board.height; i++) {
        EXPECT_EQ(shuffling[i], 0);
        EXPECT_EQ(sprite[i].x, cell_home_position((uint8_t)i).x);
        EXPECT_EQ(sprite[i].y, cell_home_position((uint8_t)i).y);
    }
}

TEST_F(NoMoves, AShuffleDuringARemovalLeavesEveryTileVisible) {
    play_board(3, crossed_board());
    press_cell(8);
    press_cell(9);
    press_cell(7);
    ASSERT_EQ(level_state.removing[8], 1);
    shuffle_board();
    frames_for(1.0f);
    EXPECT_EQ(board.tile_count, 6);
    for (int i = 0; i < board.width * board.height; i++) {
        EXPECT_EQ(level_state.removing[i], 0) << i;
        if (board.cells[i] != EMPTY_CELL) EXPECT_EQ(sprite[i].scale, 0.0f) << "tile " << i;
    }
}

// --- Play time --------------------------------------------------------------------------

TEST_F(PlayTime, CountsOnlyWhileARegularLevelIsBeingPlayed) {
    play_board(3, crossed_board());
    frames(60);
    EXPECT_NEAR(level_time, 1.0f, 1e-4);
    EXPECT_NEAR(time_since_match, 1.0f, 1e-4);
    for (Overlay which : {OVERLAY_MENU_PANEL, OVERLAY_SETTINGS_POPUP, OVERLAY_WIN_POPUP}) {
        open_overlay(which);
        frames(30);
        close_overlay(which);
    }
    show_no_moves();
    frames(30);
    hide_no_moves();
    tutorial_active = true;
    frames(30);
    tutorial_active = false;
    EXPECT_NEAR(level_time, 1.0f, 1e-4);

    play_board(10, crossed_board());  // restored: keeps the statistics
    frames(30);
    EXPECT_NEAR(level_time, 1.0f, 1e-4) << "a Time Challenge is not timed per pair";
}
