// tutorial_flow.h - playing the tutorial's practice boards (board/tutorial):
// opening it from the menu or at the first start, its steps, and closing
// it, with the pictures, animations and sounds that go with them.
#pragma once

#include <cstdint>

void start_tutorial();
void next_tutorial_step();
void end_tutorial();
// The removed pair (either order) is the demonstrated one: fade its line.
void on_tutorial_pair_removed(uint8_t first, uint8_t second);
// A practice tile's removal ended: an emptied board goes on to the next
// step, or after the last one shows the close button.
void on_tutorial_tile_removed();
