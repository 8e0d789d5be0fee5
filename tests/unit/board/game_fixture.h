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
#include "board/click.h"
#include "board/progress.h"
#include "board/random.h"
#include "board/tutorial.h"
#include "config/settings.h"
#include "render/draw.h"
#include "render/texture.h"
#include "screen/game_screen.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/tween.h"
#include "support/gl_context.h"
#include "ui/popups.h"
#include "board_test_util.h"

constexpr float TEST_FRAME = 1.0f / 60.0f;

inline void reset_game_globals() {
    clear_tweens();
    clear_textures();
    use_cell_sprites(nullptr);
    board = Board{};
    memset(level_sprites, 0, sizeof level_sprites);
    memset(removing, 0, sizeof removing);
    memset(draw_layer, 0, sizeof draw_layer);
    memset(shuffling, 0, sizeof shuffling);
    memset(ghost, 0, sizeof ghost);
    menu_panel_open = progress_panel_open = settings_popup_open = 0;
    win_popup_open = win2_popup_open = lose_popup_open = no_moves_shown = 0;
    win2_popup_ready = false;
    timer_highlight = lose_popup_input_delay = ghost_appear_factor = 0;
    tutorial_active = false;
    selected = false;
    selected_cell = second_cell = removing_count = 0;
    line_alpha = line_scale = 0;
    level = 1;
    tutorial_done = 1;
    music_enabled = 0;
    sounds_enabled = 0;  // no voices: the mixer is not running
    time_left = pair_budget = match_count = 0;
    clock_running = clock_seconds = 0;
    level_time = time_since_match = 0;
    best_match_time = 86400;
    restored = false;
    current_set = next_set = 0;
    seed_random(&shared_random, 2024);
}

inline void use_test_settings() {
    logical_width = 540;
    logical_height = 960;
    padding_between_tiles = 4;
    default_header_height = 160;
    default_footer_height = 80;
    time_challenge_header_height = 200;
    time_challenge_footer_height = 80;
    moves_challenge_header_height = 200;
    moves_challenge_footer_height = 80;
    tile_bounce_extra_scale = 0.2f;
    tile_bounce_duration = 0.2f;
    tile_remove_duration1 = 0.1f;
    tile_remove_duration2 = 0.2f;
    tile_appear_duration = 0.2f;
    ghost_appear_duration = 0.3f;
    menu_button_rel_pos = {-10, 10};
    menu_button_size = {60, 60};
    timer_label_settings.highlight_duration = 0.5f;
    frame_delta = TEST_FRAME;
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(enter_temp_work_dir(&dir, "play"));
        reset_game_globals();
        use_test_settings();
        use_tile_counts({20, 20, 15, 20, 18});
    }
    void TearDown() override {
        reset_game_globals();
        leave_temp_work_dir(&dir);
    }

    // Plays the given level on this board (kept as if restored from a save).
    void play_board(uint16_t lvl, const Board& b) {
        level = lvl;
        current_set = tile_set_of_level(lvl);
        next_set = (uint8_t)((current_set + 1) % tile_set_count);
        board = b;
        restored = true;
        start_level();
    }

    void frames(int count) {
        for (int i = 0; i < count; i++) update_game_screen();
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
