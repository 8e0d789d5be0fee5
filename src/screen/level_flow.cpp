// level_flow.cpp - start_level, advance_level and reset_level_state: the
// rules deal the board, then the pictures, labels and grid background
// follow it, and a restored board that had already ended shows its result.
#include "screen/level_flow.h"

#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "screen/board_view.h"
#include "screen/finish_level.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/tile_textures.h"
#include "tween/tween.h"

void start_level(const SavedProgress* saved) {
    bool resumed = deal_level(saved);
    set_cell_textures(current_set);
    rebuild_grid_background();
    show_level_labels();
    if (!resumed) return;
    for (GhostFlag flag : ghost)
        if (flag) view.ghost_appear_factor = 1.0f;  // restored ghosts show at full size
    // A board saved at the end of its level shows its result again.
    finish_level(level_result());
    // A board saved with no move left waits for its shuffle again.
    if (board.tile_count > 0 && level_result() == LEVEL_PLAYING && !any_move_exists())
        show_no_moves();
}

void reset_level_state() {
    stop_tweens_with_prefix("tile");
    stop_tweens_with_prefix("line");
    stop_tweens_with_prefix("help_popup_line");
    clear_level_play();
    view = BoardView{};
}

void advance_level() {
    reset_level_state();
    uint8_t old_set = current_set;
    if (next_level()) {
        unload_tile_set(old_set);
        if (!tile_set_loaded(current_set)) load_tile_set(current_set);
    }
    start_level();
    // Saved once the new board exists: a crash before the shutdown save then
    // resumes the new level instead of finding the finished level's empty
    // board and skipping a level as already won.
    save_progress();
}
