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
#include "screen/board_view.h"
#include "screen/finish_level.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/level_flow.h"
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
    view.draw_layer[i] = 1;
    stop_bounce(i);
    if (!start_cell_tween(TWEEN_BOUNCE, i, &cell_sprites()[i].scale, cell_sprites()[i].scale,
                          tile_bounce_extra_scale, tile_bounce_duration, ease_bump, false,
                          on_bounce_done))
        view.draw_layer[i] = 0;  // no bounce will end to lower it
}

namespace {

// A tile of a removed pair swells; false when no tween slot was free, and
// its removal ends at once.
bool start_removal(uint8_t cell, uint8_t layer) {
    CellSprite* sprites = cell_sprites();
    view.draw_layer[cell] = layer;
    stop_cell_tween(TWEEN_BOUNCE, cell);
    return start_cell_tween(TWEEN_BOUNCE, cell, &sprites[cell].scale, sprites[cell].scale,
                            tile_bounce_extra_scale, tile_remove_duration1, ease_out_sine, true,
                            on_tile_lifted) != nullptr;
}

void start_line(const ConnectionPath& path) {
    stop_tweens_with_prefix("line");
    view.line_alpha = 0.0f;
    view.line_scale = 0.0f;
    view.line_point_count = path.count <= 4 ? path.count : 4;
    for (int k = 0; k < view.line_point_count; k++)
        view.line_points[k] = cell_home_position(path.points[k]);
    start_tween("line_alpha", &view.line_alpha, 0.0f, 1.0f, tile_remove_duration1, ease_out_sine,
                0.0f, false, on_line_shown);
    start_tween("line_scale", &view.line_scale, 0.0f, 1.0f, tile_remove_duration1, ease_out_sine);
}

// The pair is already gone from the cells: its tiles swell, the line shows.
void show_removed_pair(const PressOutcome& out) {
    bool first_started = start_removal(out.first, 1);
    bool second_started = start_removal(out.cell, 2);
    start_line(out.path);
    play_effect("tile_match");
    if (tutorial_active)
        on_tutorial_pair_removed(out.first, out.cell);
    else if (pairs_countdown)
        show_budget_label();
    // A removal whose animation could not start still has to end, or the
    // level could never be won.
    if (!first_started) end_removal_now(out.first);
    if (!second_started) end_removal_now(out.cell);
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
    PressOutcome out = press_cell(cell_at_point(x, y), is_press);
    // A pressed tile that is still appearing shows whole at once: one left
    // part-grown would look broken for the rest of the level.
    if (out.result >= PRESS_KEPT && find_cell_tween(TWEEN_APPEAR, out.cell)) {
        stop_cell_tween(TWEEN_APPEAR, out.cell);
        cell_sprites()[out.cell].scale = 0;
    }
    switch (out.result) {
        case PRESS_LOCKED:
            return;
        case PRESS_MATCHED:
            show_removed_pair(out);
            return;
        case PRESS_SELECTED:
            if (out.clock_started) view.timer_highlight = timer_label_settings.highlight_duration;
            play_effect("tile_select");
            bounce_tile(out.cell);
            break;
        case PRESS_RESELECTED:
            play_effect("tile_select");
            bounce_tile(out.cell);
            break;
        case PRESS_MISSED:
            if (is_press && !inside_board_area(x, y)) drop_selection();
            break;
        case PRESS_BLOCKED:
        case PRESS_KEPT:
            break;
    }
    if (is_press) finish_press(x, y);
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
