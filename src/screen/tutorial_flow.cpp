// tutorial_flow.cpp - the tutorial as it is played. The practice boards
// draw with their own CellSprite array, so the level's drawing records stay
// untouched; the level's removals that were running when it opened finish
// when it closes.
#include "screen/tutorial_flow.h"

#include <cstring>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "render/texture.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/level_result.h"
#include "screen/tile_textures.h"
#include "tween/tween.h"

namespace {

struct TutorialScreen {
    CellSprite sprites[BOARD_MAX_CELLS];
    bool loaded_for_tutorial;
    // Level tiles whose removal was running when the tutorial opened: their
    // removal is finished when it closes, so the level's count stays right.
    uint8_t pending_removals[BOARD_MAX_CELLS];
    uint8_t pending_count;
};

TutorialScreen state;

void stop_board_tweens() {
    stop_tweens_with_prefix("tile");
    stop_tweens_with_prefix("line");
    stop_tweens_with_prefix("help_popup_line");
}

// The removal, layer and line state shared by the level and the tutorial.
void clear_shared_board_state() {
    clear_removals();
    memset(draw_layer, 0, sizeof draw_layer);
    level_state.line_alpha = 0;
    level_state.line_scale = 0;
    level_state.line_point_count = 0;
}

// Pictures and demonstration line of the step just laid out.
void show_step() {
    char name[32];
    for (int i = 0; i < board.width * board.height; i++) {
        uint8_t value = board.cells[i];
        if (value == EMPTY_CELL || value == WALL) continue;
        tile_picture_name(name, sizeof name, PRACTICE_SET, value);
        state.sprites[i].texture = find_texture(name);
    }
    demo_alpha = 1;
}

// Finishes the level's running removals before its board is set aside;
// their tiles are already gone from the cells, only the count waits.
void hold_level_removals() {
    state.pending_count = 0;
    int cells = board.width * board.height;
    for (int i = 0; i < cells && i < BOARD_MAX_CELLS; i++) {
        if (level_state.removing[i]) {
            state.pending_removals[state.pending_count++] = (uint8_t)i;
            level_sprites[i].scale = -1;  // where its removal would have ended
            continue;
        }
        // A bounce or appearance stopped half-way would leave the tile
        // bigger or smaller than it is.
        bool moving =
            find_cell_tween(TWEEN_BOUNCE, (uint8_t)i) || find_cell_tween(TWEEN_APPEAR, (uint8_t)i);
        if (moving) level_sprites[i].scale = 0;
    }
    stop_board_tweens();
    // Tiles stopped mid-slide are drawn at their new homes.
    memset(shuffling, 0, sizeof shuffling);
    clear_shared_board_state();
}

void finish_level_removals() {
    uint8_t count = state.pending_count;
    state.pending_count = 0;
    for (int k = 0; k < count; k++) begin_removal(state.pending_removals[k]);
    // The level's own end-of-removal event: win, refill or no moves.
    for (int k = 0; k < count; k++) {
        TweenSlot slot = {};
        slot.user = state.pending_removals[k];
        on_tile_removed(&slot);
    }
}

}  // namespace

void start_tutorial() {
    if (!tutorial_active) {
        hold_level_removals();
    } else {
        stop_board_tweens();
        clear_shared_board_state();
    }
    level_state.selected = false;

    tutorial.next_shown = tutorial_done != 0;
    tutorial.close_shown = false;
    memset(state.sprites, 0, sizeof state.sprites);
    use_cell_sprites(state.sprites);

    if (!tile_set_loaded(PRACTICE_SET)) {
        load_tile_set(PRACTICE_SET);
        state.loaded_for_tutorial = true;
    }
    begin_practice();
    show_step();
}

void next_tutorial_step() {
    if (!tutorial_active || tutorial.step >= tutorial.step_count) return;
    stop_board_tweens();
    memset(state.sprites, 0, sizeof state.sprites);
    clear_shared_board_state();
    level_state.selected = false;

    tutorial.step++;
    if (tutorial.step == tutorial.step_count) {
        tutorial.next_shown = false;
        if (tutorial_done) tutorial.close_shown = true;
    }
    lay_out_practice_step();
    show_step();
}

void end_tutorial() {
    if (!tutorial_active) return;
    play_effect("tap");
    stop_board_tweens();
    memset(state.sprites, 0, sizeof state.sprites);
    clear_shared_board_state();
    demo_alpha = 0;
    level_state.selected = false;
    if (state.loaded_for_tutorial) {
        unload_tile_set(PRACTICE_SET);
        state.loaded_for_tutorial = false;
    }
    end_practice();
    use_cell_sprites(nullptr);
    finish_level_removals();
    if (!tutorial_done) {
        tutorial_done = 1;
        save_progress();
    }
    // A result restored at start-up waited for the tutorial.
    finish_level(level_result());
}

void on_tutorial_pair_removed(uint8_t first, uint8_t second) {
    if (!is_demonstrated_pair(first, second)) return;
    stop_tween("help_popup_line_alpha");
    start_tween("help_popup_line_alpha", &demo_alpha, demo_alpha, 0.0f, tile_remove_duration1,
                ease_in_sine);
}

void on_tutorial_tile_removed() {
    if (board.tile_count != 0) return;
    play_effect("win_popup");
    if (tutorial.step < tutorial.step_count)
        next_tutorial_step();
    else
        tutorial.close_shown = true;
}
