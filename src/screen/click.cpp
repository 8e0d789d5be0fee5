// click.cpp - routing of presses to the open popup or panel, and what a
// press on the board does: selecting, matching by the connection rule, and
// the animations and sounds a removed pair starts.
#include "screen/click.h"

#include <cstdio>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "platform/window_metrics.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/level_flow.h"
#include "screen/level_result.h"
#include "screen/pause.h"
#include "screen/shuffle_flow.h"
#include "screen/tutorial_flow.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"

namespace {

bool resuming_release;  // the release of the press that resumed a paused level

bool inside(float x, float y, float cx, float cy, float w, float h) {
    return cx - w / 2 <= x && x <= cx + w / 2 && cy - h / 2 <= y && y <= cy + h / 2;
}

}  // namespace

// Restarts tile i's swell-and-return. A bounce still running is first put
// back to where it started, so repeated presses never ratchet the scale.
void bounce_tile(uint8_t i) {
    draw_layer[i] = 1;
    stop_bounce(i);
    if (!start_cell_tween(TWEEN_BOUNCE, i, &sprite[i].scale, sprite[i].scale,
                          tile_bounce_extra_scale, tile_bounce_duration, ease_bump, false,
                          on_bounce_done))
        draw_layer[i] = 0;  // no bounce will end to lower it
}

namespace {

// Marks a tile of a removed pair and starts its swell; false when no tween
// slot was free, and the caller finishes the removal at once.
bool start_removal(uint8_t cell, uint8_t layer) {
    board.cells[cell] = EMPTY_CELL;
    begin_removal(cell);
    draw_layer[cell] = layer;
    stop_cell_tween(TWEEN_BOUNCE, cell);
    return start_cell_tween(TWEEN_BOUNCE, cell, &sprite[cell].scale, sprite[cell].scale,
                            tile_bounce_extra_scale, tile_remove_duration1, ease_out_sine, true,
                            on_tile_lifted) != nullptr;
}

void start_line() {
    stop_tweens_with_prefix("line");
    level_state.line_alpha = 0.0f;
    level_state.line_scale = 0.0f;
    level_state.line_point_count = connection_path.count <= 4 ? connection_path.count : 4;
    for (int k = 0; k < level_state.line_point_count; k++)
        level_state.line_points[k] = cell_home_position(connection_path.points[k]);
    start_tween("line_alpha", &level_state.line_alpha, 0.0f, 1.0f, tile_remove_duration1,
                ease_out_sine, 0.0f, false, on_line_shown);
    start_tween("line_scale", &level_state.line_scale, 0.0f, 1.0f, tile_remove_duration1,
                ease_out_sine);
}

void count_removed_pair(uint8_t first, uint8_t second) {
    if (tutorial_active) {
        on_tutorial_pair_removed(first, second);
    } else if (pairs_countdown) {
        if (level_state.pair_budget > 0) level_state.pair_budget--;
        char text[16];
        snprintf(text, sizeof text, "%d", level_state.pair_budget);
        set_label_text(&moves_label, text);
    } else if (time_challenge) {
        // The last pair was matched in time: the clock stops with it.
        if (!tiles_left_to_match()) stop_clock();
    } else {
        match_count++;
        if (time_since_match < best_match_time) best_match_time = time_since_match;
        time_since_match = 0.0f;
    }
}

void remove_pair(uint8_t first, uint8_t second) {
    bool first_started = start_removal(first, 1);
    bool second_started = start_removal(second, 2);
    level_state.selected = false;
    start_line();
    play_effect("tile_match");
    count_removed_pair(first, second);
    // Last, so that the end-of-removal checks see the budget already spent.
    // A removal whose animation could not start still has to end, or the
    // level could never be won.
    if (!first_started) end_removal_now(first);
    if (!second_started) end_removal_now(second);
}

void select_tile(uint8_t i) {
    level_state.selected = true;
    level_state.selected_cell = i;
    if (time_challenge && !tutorial_active && !clock_running()) {
        start_clock();
        timer_highlight = timer_label_settings.highlight_duration;
    }
    play_effect("tile_select");
    bounce_tile(i);
}

// The tiles plus half of the empty frame around them.
bool inside_board_area(float x, float y) {
    int n = board.width * board.height;
    if (n <= 0) return false;
    Vec2 a = cell_screen_position(0);
    Vec2 b = cell_screen_position((uint8_t)(n - 1));
    return a.x < x && x < b.x && a.y < y && y < b.y;
}

// What every press that was not a match ends with: the menu button, or the
// shuffle that the no-moves state is waiting for.
void finish_press(float x, float y) {
    if (tutorial_active) return;
    if (menu_button_hit(x, y)) {
        open_menu_panel();
        return;
    }
    if (no_moves_shown()) run_ui_action(UI_SHUFFLE);
}

void board_click(bool is_press, float x, float y) {
    if (!tutorial_active && pairs_countdown && level_state.pair_budget == 0) return;

    int hit = cell_at_point(x, y);
    if (hit >= 0 && (level_state.removing[hit] || is_tutorial_wall((uint8_t)hit))) {
        if (is_press) finish_press(x, y);
        return;
    }
    if (hit >= 0 && board.cells[hit] != EMPTY_CELL) {
        uint8_t i = (uint8_t)hit;
        // A pressed tile that is still appearing shows whole at once: one
        // left part-grown would look broken for the rest of the level.
        if (find_cell_tween(TWEEN_APPEAR, i)) {
            stop_cell_tween(TWEEN_APPEAR, i);
            sprite[i].scale = 0;
        }
        if (!level_state.selected) {
            if (!is_press) return;
            select_tile(i);
            finish_press(x, y);
            return;
        }
        level_state.second_cell = i;
        if (find_connection(level_state.selected_cell, i)) {
            remove_pair(level_state.selected_cell, i);
            return;
        }
        if (!is_press) return;
        play_effect("tile_select");
        level_state.selected_cell = i;
        bounce_tile(i);
        finish_press(x, y);
        return;
    }
    if (!is_press) return;
    if (level_state.selected && !inside_board_area(x, y)) level_state.selected = false;
    finish_press(x, y);
}

}  // namespace

int cell_at_point(float x, float y) {
    int n = board.width * board.height;
    if (n > BOARD_MAX_CELLS) n = BOARD_MAX_CELLS;
    float half = TILE_SIZE * board_scale() / 2;
    for (int i = 0; i < n; i++) {
        Vec2 c = cell_screen_position((uint8_t)i);
        if (c.x - half < x && x < c.x + half && c.y - half < y && y < c.y + half) return i;
    }
    return -1;
}

bool menu_button_hit(float x, float y) {
    float cx = logical_width + menu_button_rel_pos.x - menu_button_size.x / 2;
    float cy = menu_button_size.y / 2 + menu_button_rel_pos.y;
    return inside(x, y, cx, cy, menu_button_size.x, menu_button_size.y);
}

void run_ui_action(UiAction action) {
    switch (action) {
        case UI_NOTHING:
            break;
        case UI_NEXT_LEVEL:
            advance_level();
            break;
        case UI_PLAY_AGAIN:
            reset_level_state();
            start_level();
            play_effect("tap");
            break;
        case UI_SHUFFLE:
            shuffle_board();
            hide_no_moves();
            break;
        case UI_START_TUTORIAL:
            start_tutorial();
            break;
        case UI_NEXT_TUTORIAL_STEP:
            next_tutorial_step();
            break;
        case UI_END_TUTORIAL:
            end_tutorial();
            break;
    }
}

void handle_click(bool is_left, bool is_press, float x, float y) {
    (void)is_left;  // both buttons act the same
    // A press on a paused level only resumes it; its release must not
    // finish a pair begun before the pause.
    if (is_press && level_paused()) {
        resume_level();
        resuming_release = true;
        return;
    }
    if (!is_press && resuming_release) {
        resuming_release = false;
        return;
    }
    if (is_press) resuming_release = false;
    if (is_press) {
        if (overlay_open(OVERLAY_SETTINGS_POPUP)) {
            settings_popup_click(x, y);
            return;
        }
        // The practice boards are drawn over everything else, also over a
        // win popup reopened at start-up, so they take presses first: a
        // level must never advance underneath the tutorial.
        if (tutorial_active) {
            UiAction action = help_popup_click(x, y);
            if (action != UI_NOTHING)
                run_ui_action(action);
            else
                board_click(is_press, x, y);
            return;
        }
        if (overlay_open(OVERLAY_WIN_POPUP)) {
            run_ui_action(win_popup_click());
            return;
        }
        if (overlay_open(OVERLAY_WIN2_POPUP)) {
            run_ui_action(win2_popup_click());
            return;
        }
        if (overlay_open(OVERLAY_LOSE_POPUP)) {
            run_ui_action(lose_popup_click());
            return;
        }
        if (overlay_open(OVERLAY_MENU_PANEL)) {
            run_ui_action(menu_panel_action(menu_panel_hit(x, y)));
            return;
        }
    } else if (!tutorial_active && result_popup_showing()) {
        return;  // the level has ended: a release must not finish a pair
    }
    board_click(is_press, x, y);
}
