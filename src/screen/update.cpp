// update.cpp - the game screen's time-driven logic: the per-frame update
// (tweens, the Time Challenge clock, play-time counters) and the events that
// end a tile's removal (level won, challenge won, the Pairs Countdown refill
// shown, no move left), plus the completion handlers of the tile and line
// tweens.
#include <cstdio>
#include <cstring>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/pairs_countdown.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "render/texture.h"
#include "screen/game_screen.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/level_result.h"
#include "screen/pause.h"
#include "screen/tutorial_flow.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"

bool window_away;

float timer_highlight;
float ghost_appear_factor;

TextLabel level_label, challenge_label, timer_label, moves_label;

void format_clock_text(char* out, size_t capacity, unsigned seconds) {
    snprintf(out, capacity, "%u:%02u", seconds / 60, seconds % 60);
}

// --- Completion handlers ---------------------------------------------------------

void on_bounce_done(TweenSlot* slot) {
    if (slot->user < BOARD_MAX_CELLS) draw_layer[slot->user] = 0;
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
    start_tween("line_alpha2", &level_state.line_alpha, level_state.line_alpha, 0.0f,
                tile_remove_duration2, ease_in_sine);
    start_tween("line_scale2", &level_state.line_scale, level_state.line_scale, 0.0f,
                tile_remove_duration2, ease_in_sine);
}

void on_shuffle_done(TweenSlot* slot) {
    if (slot->user < BOARD_MAX_CELLS) shuffling[slot->user] = 0;
}

// --- End of a removal ----------------------------------------------------------------

namespace {

// New tiles of a refill grow from nothing; new ghosts fade in together.
void show_refill(const Refill& refill) {
    for (int k = 0; k < refill.grown_count; k++) {
        uint8_t i = refill.grown[k];
        char name[32];
        tile_picture_name(name, sizeof name, current_set, board.cells[i]);
        sprite[i].texture = find_texture(name);
        sprite[i].scale = -1.0f;
        if (!start_cell_tween(TWEEN_APPEAR, i, &sprite[i].scale, -1.0f, 0.0f,
                              tile_appear_duration, ease_out_sine))
            sprite[i].scale = 0.0f;
    }
    if (refill.announced) {
        stop_tween("ghost_appear");
        ghost_appear_factor = 0.0f;
        if (!start_tween("ghost_appear", &ghost_appear_factor, 0.0f, 1.0f, ghost_appear_duration,
                         ease_out_sine))
            ghost_appear_factor = 1.0f;
    }
}

}  // namespace

void on_tile_removed(TweenSlot* slot) {
    uint8_t i = slot->user;
    if (i >= BOARD_MAX_CELLS) return;
    end_removal(i);
    if (board.tile_count > 0) board.tile_count--;
    draw_layer[i] = 0;

    if (tutorial_active) {
        on_tutorial_tile_removed();
        return;
    }
    LevelResult result = level_result();
    if (result != LEVEL_PLAYING) {
        finish_level(result);
        return;
    }
    if (pairs_countdown) show_refill(refill_pairs_countdown());
    if (level_state.removing_count == 0 && !any_move_exists()) {
        play_effect("no_moves");
        show_no_moves();
    }
}

void end_removal_now(uint8_t cell) {
    if (cell >= BOARD_MAX_CELLS) return;
    stop_cell_tween(TWEEN_BOUNCE, cell);
    sprite[cell].scale = -1.0f;
    TweenSlot slot = {};
    slot.user = cell;
    on_tile_removed(&slot);
}

void stop_bounce(uint8_t cell) {
    if (TweenSlot* running = find_cell_tween(TWEEN_BOUNCE, cell)) {
        sprite[cell].scale = running->from;
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
            sprite[i].scale = 0.0f;
        }
        stop_bounce((uint8_t)i);
        draw_layer[i] = 0;
    }
}

// --- The frame ------------------------------------------------------------------------

namespace {

// Returns true when the clock ran out in this frame and lost the level.
bool run_clock(float dt) {
    if (!count_down_clock(dt)) return false;
    char text[16];
    format_clock_text(text, sizeof text, level_state.time_left);
    set_label_text(&timer_label, text);
    if (level_state.time_left == 0) return finish_level(level_result());
    if (level_state.time_left <= 5) timer_highlight = timer_label_settings.highlight_duration;
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
    if (timer_highlight > 0.0f) timer_highlight -= dt;
    bool lost_now = clock_running() && !window_away && run_clock(dt);

    if (overlay_open(OVERLAY_LOSE_POPUP) && !lost_now && lose_popup_input_delay > 0.0f)
        lose_popup_input_delay -= dt;

    bool playing = !time_challenge && !pairs_countdown && !no_moves_shown() &&
                   !overlay_open(OVERLAY_WIN_POPUP) && !overlay_open(OVERLAY_MENU_PANEL) &&
                   !overlay_open(OVERLAY_SETTINGS_POPUP);
    if (playing) {
        level_time += dt;
        time_since_match += dt;
    }
}
