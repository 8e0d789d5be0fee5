// tutorial.cpp - the three practice boards: a straight line, one turn, two
// turns. While they are played the level's board waits in set_aside and
// the level's drawing records stay untouched (the tutorial draws with its
// own CellSprite array), so closing gives the level back exactly as it was.
#include "board/tutorial.h"

#include <cstdio>
#include <cstring>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "render/texture.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/tile_textures.h"
#include "tween/tween.h"

bool tutorial_active;
Tutorial tutorial;
float demo_alpha;

namespace {

enum { STEP_COUNT = 3, TUTORIAL_WIDTH = 6, TUTORIAL_MAX_CELLS = 42 };

struct PracticeBoard {
    uint8_t height;
    uint8_t cells[TUTORIAL_MAX_CELLS];
    uint8_t demo_first, demo_second;  // the pair whose path is shown
};

// Rows top to bottom; 9 is a wall, 1 and 2 are pictures of the first set.
const PracticeBoard PRACTICE_BOARDS[STEP_COUNT] = {
    {6,
     {0, 0, 0, 0, 0, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 1, 0, 0, 1, 0,  //
      0, 9, 2, 2, 9, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 0, 0, 0, 0, 0},
     13, 16},
    {6,
     {0, 0, 0, 0, 0, 0,  //
      0, 0, 0, 1, 9, 0,  //
      0, 0, 2, 0, 9, 0,  //
      0, 1, 0, 0, 2, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 0, 0, 0, 0, 0},
     19, 9},
    {7,
     {0, 0, 0, 0, 0, 0,  //
      0, 0, 0, 0, 0, 0,  //
      0, 1, 9, 9, 1, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 0, 2, 9, 2, 0,  //
      0, 0, 0, 9, 0, 0,  //
      0, 0, 0, 0, 0, 0},
     13, 16},
};

// The practice pictures always come from the first set, whatever the level.
const uint8_t PRACTICE_SET = 0;

struct TutorialState {
    Board set_aside;
    CellSprite sprites[BOARD_MAX_CELLS];
    bool loaded_for_tutorial;
    // Level tiles whose removal was running when the tutorial opened: their
    // removal is finished when it closes, so the level's count stays right.
    uint8_t pending_removals[BOARD_MAX_CELLS];
    uint8_t pending_count;
};

TutorialState state;

void stop_board_tweens() {
    stop_tweens_with_prefix("tile");
    stop_tweens_with_prefix("line");
    stop_tweens_with_prefix("help_popup_line");
}

// The removal, layer and line state shared by the level and the tutorial.
void clear_shared_board_state() {
    memset(removing, 0, sizeof removing);
    memset(draw_layer, 0, sizeof draw_layer);
    line_alpha = 0;
    line_scale = 0;
    line_point_count = 0;
    removing_count = 0;
}

// Board, pictures and demonstration of the current step.
void show_step() {
    const PracticeBoard& practice = PRACTICE_BOARDS[tutorial.step - 1];
    memset(&board, 0, sizeof board);
    board.width = TUTORIAL_WIDTH;
    board.height = practice.height;
    memcpy(board.cells, practice.cells, (size_t)TUTORIAL_WIDTH * practice.height);
    board.tile_count = 4;

    char name[32];
    for (int i = 0; i < board.width * board.height; i++) {
        uint8_t value = board.cells[i];
        if (value == EMPTY_CELL || value == WALL) continue;
        tile_picture_name(name, sizeof name, PRACTICE_SET, value);
        state.sprites[i].texture = find_texture(name);
    }

    memset(tutorial.demo_cells, 0, sizeof tutorial.demo_cells);
    memset(tutorial.demo_points, 0, sizeof tutorial.demo_points);
    tutorial.demo_count = 0;
    if (find_connection(practice.demo_first, practice.demo_second)) {
        tutorial.demo_count = connection_path.count;
        for (int k = 0; k < connection_path.count && k < 4; k++) {
            tutorial.demo_cells[k] = connection_path.points[k];
            tutorial.demo_points[k] = cell_home_position(connection_path.points[k]);
        }
    }
    demo_alpha = 1;
}

// Finishes the level's running removals before its board is set aside;
// their tiles are already gone from the cells, only the count waits.
void hold_level_removals() {
    state.pending_count = 0;
    int cells = board.width * board.height;
    for (int i = 0; i < cells && i < BOARD_MAX_CELLS; i++) {
        if (removing[i]) {
            state.pending_removals[state.pending_count++] = (uint8_t)i;
            level_sprites[i].scale = -1;  // where its removal would have ended
            continue;
        }
        // A bounce or appearance stopped half-way would leave the tile
        // bigger or smaller than it is.
        bool moving = find_cell_tween(TWEEN_BOUNCE, (uint8_t)i) ||
                      find_cell_tween(TWEEN_APPEAR, (uint8_t)i);
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
    for (int k = 0; k < count; k++) {
        removing[state.pending_removals[k]] = 1;
        removing_count++;
    }
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
        state.set_aside = board;
    } else {
        stop_board_tweens();
        clear_shared_board_state();
    }
    selected = false;

    tutorial.step_count = STEP_COUNT;
    tutorial.next_shown = tutorial_done != 0;
    tutorial.close_shown = false;
    tutorial.step = 1;
    tutorial_active = true;
    memset(state.sprites, 0, sizeof state.sprites);
    use_cell_sprites(state.sprites);

    if (!tile_set_loaded(PRACTICE_SET)) {
        load_tile_set(PRACTICE_SET);
        state.loaded_for_tutorial = true;
    }
    show_step();
}

void next_tutorial_step() {
    if (!tutorial_active || tutorial.step >= STEP_COUNT) return;
    stop_board_tweens();
    memset(state.sprites, 0, sizeof state.sprites);
    clear_shared_board_state();
    selected = false;

    tutorial.step++;
    if (tutorial.step == STEP_COUNT) {
        tutorial.next_shown = false;
        if (tutorial_done) tutorial.close_shown = true;
    }
    show_step();
}

void end_tutorial() {
    if (!tutorial_active) return;
    play_effect("tap");
    tutorial_active = false;
    stop_board_tweens();
    memset(state.sprites, 0, sizeof state.sprites);
    clear_shared_board_state();
    demo_alpha = 0;
    selected = false;
    if (state.loaded_for_tutorial) {
        unload_tile_set(PRACTICE_SET);
        state.loaded_for_tutorial = false;
    }
    board = state.set_aside;
    use_cell_sprites(nullptr);
    finish_level_removals();
    if (!tutorial_done) {
        tutorial_done = 1;
        save_progress();
    }
}

bool is_tutorial_wall(uint8_t cell) {
    return tutorial_active && cell < board.width * board.height && board.cells[cell] == WALL;
}

void on_tutorial_pair_removed(uint8_t first, uint8_t second) {
    if (!tutorial_active || tutorial.demo_count < 2) return;
    uint8_t a = tutorial.demo_cells[0], b = tutorial.demo_cells[tutorial.demo_count - 1];
    bool demonstrated = (first == a && second == b) || (first == b && second == a);
    if (!demonstrated) return;
    stop_tween("help_popup_line_alpha");
    start_tween("help_popup_line_alpha", &demo_alpha, demo_alpha, 0.0f, tile_remove_duration1,
                ease_in_sine);
}

const Board* tutorial_set_aside_board() {
    return tutorial_active ? &state.set_aside : nullptr;
}
