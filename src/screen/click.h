// click.h - the game's only pointer input: every press and release of the
// left or right mouse button, in logical pixels (origin top-left, y down).
//
// A press goes to whatever popup or panel is open, in a fixed order; with
// none open it reaches the board, where two presses on connectable tiles of
// one picture (or a press on one and a release over the other) remove the
// pair. A release always goes straight to the board.
#pragma once

#include <cstdint>

#include "ui/popups.h"

// is_left tells the buttons apart (both act the same); is_press is false for
// a release.
void handle_click(bool is_left, bool is_press, float x, float y);

// Does what a popup or panel asked for: next level, the same level again,
// shuffle, or a tutorial step.
void run_ui_action(UiAction action);

// Tile i swells and returns, as a selected tile does; the selection itself
// is left alone.
void bounce_tile(uint8_t i);

// The board cell whose tile square (edges excluded) holds the window point,
// or -1.
int cell_at_point(float x, float y);
// The menu button's rectangle holds the window point (edges included).
bool menu_button_hit(float x, float y);
