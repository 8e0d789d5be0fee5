// game_state.h - the game screen's time-driven values that the drawing
// reads, and the completion handlers of the tile and line tweens.
#pragma once

#include <cstdint>

struct TweenSlot;

// Minimised or without the input focus (set by the window callbacks): a
// running Time Challenge clock waits meanwhile.
extern bool window_away;
void set_window_away(bool away);


// The removal tween's last phase ends: the tile is gone.
void on_tile_removed(TweenSlot* slot);
// Completion handlers of the other tile and line tweens; the slot's user
// byte is the cell.
void on_bounce_done(TweenSlot* slot);   // selection bounce over: layer back to 0
void on_tile_lifted(TweenSlot* slot);   // removal swell over: the slot shrinks it to -1
void on_line_shown(TweenSlot* slot);    // the line starts fading out
void on_shuffle_done(TweenSlot* slot);  // slid home: drawn at its cell again

// Ends a removal at once, end event included (no tween could run it).
void end_removal_now(uint8_t cell);
// Puts a bouncing tile back at the scale its bounce started from.
void stop_bounce(uint8_t cell);
// Cell animations belong to cells, not tiles: before a shuffle moves the
// tiles every running one ends. Removals finish, appearing tiles stand at
// full size, bouncing tiles rest.
void settle_cell_animations();

// Makes the grid background anew for the current board's size (the no-moves
// overlay); start_level calls it. Defined by the game-screen drawing.
void rebuild_grid_background();
