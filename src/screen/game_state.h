// game_state.h - the game screen's state machine: which panel or popup is
// open, the no-moves state, and the time-driven values the drawing reads.
#pragma once

#include <cstdint>

struct TweenSlot;

extern uint8_t menu_panel_open;
extern uint8_t progress_panel_open;
extern uint8_t settings_popup_open;
extern uint8_t win_popup_open;
extern uint8_t win2_popup_open;
extern uint8_t lose_popup_open;
extern uint8_t no_moves_shown;

extern float timer_highlight;         // seconds left of the timer's flash
extern float lose_popup_input_delay;  // clicks wait while above 0
extern float ghost_appear_factor;     // 0..1, grows new ghosts

// The removal tween's last phase ends: the tile is gone.
void on_tile_removed(TweenSlot* slot);
