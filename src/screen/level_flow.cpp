// level_flow.cpp - start_level, advance_level and reset_level_state: the
// rules deal the board, then the pictures, labels and grid background
// follow it, and a restored board that had already ended shows its result.
#include "screen/board_view.h"
#include "screen/level_flow.h"

#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/level_result.h"
#include "screen/tile_textures.h"
#include "tween/tween.h"

namespace {

void set_level_labels() {
    char text[32];
    snprintf(text, sizeof text, "Level %d", level);
    set_label_text(&level_label, text);
    set_label_text(&challenge_label, time_challenge    ? "Time Challenge"
                                     : pairs_countdown ? "Pairs Countdown"
                                                       : "");
    if (pairs_countdown)
        snprintf(text, sizeof text, "%d", level_state.pair_budget);
    else
        text[0] = '\0';
    set_label_text(&moves_label, text);
    if (time_challenge)
        format_clock_text(text, sizeof text, level_state.time_left);
    else
        text[0] = '\0';
    set_label_text(&timer_label, text);
}

}  // namespace

void start_level() {
    bool resumed = deal_level();
    set_cell_textures(current_set);
    rebuild_grid_background();
    set_level_labels();
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
    level_state.selected = false;
    hide_no_moves();
    clear_removals();
    memset(ghost, 0, sizeof ghost);
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
