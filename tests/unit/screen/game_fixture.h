// game_fixture.h - a game screen without a window for the level, click and
// frame-update tests: fixed settings and window size, a fixed frame time,
// quiet sounds, every flag and pool cleared, and a throw-away working
// directory for "autosave".
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/shell.h"
#include "board/board.h"
#include "board/progress.h"
#include "board/random.h"
#include "board/tutorial.h"
#include "screen/game_screen_keys.h"
#include "render/texture.h"
#include "screen/click.h"
#include "screen/level_flow.h"
#include "screen/shuffle_flow.h"
#include "screen/tutorial_flow.h"
#include "screen/game_screen.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "tween/tween.h"
#include "support/game_globals.h"
#include "support/gl_context.h"
#include "ui/popups.h"
#include "unit/board/board_test_util.h"

constexpr uint32_t GAME_TEST_SEED = 2024;

inline void use_test_settings() {
    use_test_layout(160, 80);
    timer_label_settings.highlight_duration = 0.5f;
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(enter_temp_work_dir(&dir, "play"));
        reset_game_globals(GAME_TEST_SEED);
        use_test_settings();
        use_tile_counts({20, 20, 15, 20, 18});
    }
    void TearDown() override {
        reset_game_globals(GAME_TEST_SEED);
        leave_temp_work_dir(&dir);
    }

    // Plays the given level on this board (kept as if restored from a save).
    void play_board(uint16_t lvl, const Board& b) {
        level = lvl;
        choose_tile_sets();
        SavedProgress saved = saved_board(lvl, b);
        start_level(&saved);
    }

    void frames(int count) {
        for (int i = 0; i < count; i++) update_game_screen(shell.frame_delta);
    }
    void frames_for(float seconds) { frames((int)(seconds / TEST_FRAME) + 1); }

    void press_cell(int cell, bool left = true) {
        Vec2 p = cell_screen_position((uint8_t)cell);
        handle_click(left, true, p.x, p.y);
    }
    void release_cell(int cell) {
        Vec2 p = cell_screen_position((uint8_t)cell);
        handle_click(true, false, p.x, p.y);
    }
    void press_at(float x, float y) { handle_click(true, true, x, y); }

    TempWorkDir dir;
};
