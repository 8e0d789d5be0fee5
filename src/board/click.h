// click.h - the game's only pointer input: every press and release of the
// left or right mouse button, in window pixels (origin top-left, y down).
#pragma once

// is_left tells the buttons apart (both act the same); is_press is false for
// a release.
void handle_click(bool is_left, bool is_press, float x, float y);
