// game_globals.h - the game screen's globals as a fresh game has them, and
// the fixed window size, layout and timings the windowless tests play
// with. Shared by the test fixtures; nothing here needs GoogleTest.
#pragma once

#include <cstdint>
#include <cstring>

#include "app/shell.h"
#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/random.h"
#include "board/tutorial.h"
#include "platform/window_metrics.h"
#include "render/texture.h"
#include "screen/board_cursor.h"
#include "screen/game_screen_keys.h"
#include "screen/board_view.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "tween/tween.h"
#include "ui/key_focus.h"
#include "ui/overlays.h"
#include "ui/popups.h"

constexpr float TEST_FRAME = 1.0f / 60.0f;

// Every flag, pool and counter cleared, the level at 1 with the tutorial
// seen and music and sounds off (no voices: the mixer is not running).
inline void reset_game_globals(uint32_t seed) {
    clear_tweens();
    clear_textures();
    board = Board{};
    view = BoardView{};
    memset(ghost, 0, sizeof ghost);
    overlays = Overlays{};
    key_focus = KeyFocus{};
    board_cursor = BoardCursor{};
    window_away = false;
    win2_popup_ready = false;
    lose_popup_input_delay = 0;
    tutorial_active = false;
    tutorial = Tutorial{};
    level = 1;
    tutorial_done = 1;
    music_enabled = 0;
    sounds_enabled = 0;
    match_count = 0;
    level_state = Level{};
    level_time = time_since_match = 0;
    best_match_time = 86400;
    current_set = next_set = 0;
    music_resume_position = 0;
    seed_random(&shared_random, seed);
}

// A saved record of the given level and board that keeps the clock,
// budget, ghosts and statistics the level has now (as if they had been
// saved with it), so that a test can play a board of its own.
inline SavedProgress saved_board(uint16_t number, const Board& b) {
    SavedProgress p;
    default_saved_progress(&p);
    p.level = number;
    p.restored = true;
    p.width = b.width;
    p.height = b.height;
    memcpy(p.cells, b.cells, sizeof p.cells);
    p.time_left = level_state.time_left;
    p.pair_budget = level_state.pair_budget;
    memcpy(p.ghosts, ghost, sizeof p.ghosts);
    p.level_time = level_time;
    p.best_match_time = best_match_time;
    p.match_count = match_count;
    return p;
}

// A 540 x 960 window, the given header and footer heights (the challenge
// headers are 200), short animations and a fixed frame time.
inline void use_test_layout(float header_height, float footer_height) {
    logical_width = 540;
    logical_height = 960;
    padding_between_tiles = 4;
    default_header_height = header_height;
    default_footer_height = footer_height;
    time_challenge_header_height = 200;
    time_challenge_footer_height = footer_height;
    moves_challenge_header_height = 200;
    moves_challenge_footer_height = footer_height;
    tile_bounce_extra_scale = 0.2f;
    tile_bounce_duration = 0.2f;
    tile_remove_duration1 = 0.1f;
    tile_remove_duration2 = 0.2f;
    tile_appear_duration = 0.2f;
    ghost_appear_duration = 0.3f;
    menu_button_rel_pos = {-10, 10};
    menu_button_size = {60, 60};
    shell.frame_delta = TEST_FRAME;
}
