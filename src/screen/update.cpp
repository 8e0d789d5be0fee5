// update.cpp - the game screen's frame: the tweens run, the rules' clock
// and play time tick (tick_level), and what they report is shown; and the
// completion handlers of the tile and line tweens, which change only the
// view and hand a finished removal to the rules (finish_removal).
#include <cstdio>
#include <cstring>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/pairs_countdown.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "render/texture.h"
#include "screen/board_view.h"
#include "screen/finish_level.h"
#include "screen/game_screen.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/pause.h"
#include "screen/tutorial_flow.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"

bool window_away;

void set_window_away(bool away) {
    window_away = away;
}

// --- Completion handlers ---------------------------------------------------------

void on_bounce_done(TweenSlot* slot) {
    if (slot->user < BOARD_MAX_CELLS) view.draw_layer[slot->user] = 0;
}

// The swell is over: the same slot goes on to shrink the tile to nothing.
void on_tile_lifted(TweenSlot* slot) {
    slot->from = tween_target_value(slot);
    slot->to = -1.0f;
    slot->duration = tile_remove_duration2;
    slot->elapsed = 0.0f;
    slot->ease = ease_in_sine;
    slot->on_done = on_tile_removed;
    slot->hold = 0;
}

void on_line_shown(TweenSlot*) {
    start_tween("line_alpha2", &view.line_alpha, view.line_alpha, 0.0f,
                tile_remove_duration2, ease_in_sine);
    start_tween("line_scale2", &view.line_scale, view.line_scale, 0.0f,
                tile_remove_duration2, ease_in_sine);
}

void on_shuffle_done(TweenSlot* slot) {
    if (slot->user < BOARD_MAX_CELLS) view.shuffling[slot->user] = 0;
}

// --- End of a removal ----------------------------------------------------------------

namespace {

// New tiles of a refill grow from nothing; new ghosts fade in together.
void show_refill(const Refill& refill) {
    for (int k = 0; k < refill.grown_count; k++) {
        uint8_t i = refill.grown[k];
        char name[32];
        tile_picture_name(name, sizeof name, current_set, board.cells[i]);
        cell_sprites()[i].texture = find_texture(name);
        cell_sprites()[i].scale = -1.0f;
        if (!start_cell_tween(TWEEN_APPEAR, i, &cell_sprites()[i].scale, -1.0f, 0.0f,
                              tile_appear_duration, ease_out_sine))
            cell_sprites()[i].scale = 0.0f;
    }
    if (refill.announced) {
        stop_tween("ghost_appear");
        view.ghost_appear_factor = 0.0f;
        if (!start_tween("ghost_appear", &view.ghost_appear_factor, 0.0f, 1.0f, ghost_appear_duration,
                         ease_out_sine))
            view.ghost_appear_factor = 1.0f;
    }
}

}  // namespace

namespace {

// The view lets the tile go, the rules count it, and what they say follows:
// the result, the refill or the no-moves state.
void tile_removal_ended(uint8_t cell) {
    if (cell >= BOARD_MAX_CELLS) return;
    view.draw_layer[cell] = 0;
    RemovalOutcome out = finish_removal(cell);
    if (out.practice) {
        on_tutorial_tile_removed();
        return;
    }
    if (out.result != LEVEL_PLAYING) {
        finish_level(out.result);
        return;
    }
    show_refill(out.refill);
    if (out.no_moves) play_effect("no_moves");
}

}  // namespace

void on_tile_removed(TweenSlot* slot) {
    tile_removal_ended(slot->user);
}

void end_removal_now(uint8_t cell) {
    if (cell >= BOARD_MAX_CELLS) return;
    stop_cell_tween(TWEEN_BOUNCE, cell);
    cell_sprites()[cell].scale = -1.0f;
    tile_removal_ended(cell);
}

void stop_bounce(uint8_t cell) {
    if (TweenSlot* running = find_cell_tween(TWEEN_BOUNCE, cell)) {
        cell_sprites()[cell].scale = running->from;
        stop_cell_tween(TWEEN_BOUNCE, cell);
    }
}

void settle_cell_animations() {
    // Removals first: their end may refill a Pairs Countdown with tiles
    // that are still appearing.
    for (int i = 0; i < BOARD_MAX_CELLS; i++)
        if (level_state.removing[i]) end_removal_now((uint8_t)i);
    for (int i = 0; i < BOARD_MAX_CELLS; i++) {
        if (find_cell_tween(TWEEN_APPEAR, (uint8_t)i)) {
            stop_cell_tween(TWEEN_APPEAR, (uint8_t)i);
            cell_sprites()[i].scale = 0.0f;
        }
        stop_bounce((uint8_t)i);
        view.draw_layer[i] = 0;
    }
}

// --- The frame ------------------------------------------------------------------------

namespace {

// The clock's second changed: the label follows, the last seconds flash,
// and at 0 the level ends. True when the clock lost the level now.
bool show_clock_second(const TickOutcome& tick) {
    show_clock_label();
    if (level_state.time_left == 0) return finish_level(tick.result);
    if (level_state.time_left <= 5) view.timer_highlight = timer_label_settings.highlight_duration;
    return false;
}

}  // namespace

void update_game_screen(float dt) {
    // Paused, the level resumes exactly where it stood; only the music's
    // fade, which the player hears, goes on.
    if (level_paused()) {
        update_shared_tweens(dt);
        return;
    }
    update_tweens(dt);
    if (tutorial_active) return;

    // Counted down also once the clock has stopped, so that a flash never
    // stays on after a won challenge; and before the clock runs, so that a
    // flash it starts is drawn whole even after the loop slept a second.
    if (view.timer_highlight > 0.0f) view.timer_highlight -= dt;
    bool play_time_runs = !overlay_open(OVERLAY_WIN_POPUP) && !overlay_open(OVERLAY_MENU_PANEL) &&
                          !overlay_open(OVERLAY_SETTINGS_POPUP);
    TickOutcome tick = tick_level(dt, window_away, play_time_runs);
    bool lost_now = tick.second_changed && show_clock_second(tick);

    if (!lost_now) count_down_lose_popup_delay(dt);
}
