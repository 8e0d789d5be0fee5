// level.h - the state of the level being played that the click rules, the
// frame update and the drawing share: the selection, the tiles still being
// removed, the last removed pair's connecting line and the clock.
#pragma once

#include <cstdint>

#include "config/config.h"

// The selection and the last removed pair's connecting line.
extern bool selected;           // a first tile is selected
extern uint8_t selected_cell;   // ...in this cell
extern uint8_t second_cell;     // the cell that completed the last pair
extern uint8_t removing_count;  // cells set in removing[]: removals still running
extern Vec2 line_points[4];     // layout positions of the line's points
extern uint8_t line_point_count;
extern float line_alpha, line_scale;

// The level's own state, changed only through the verbs below.
struct Level {
    bool clock_on;  // the Time Challenge clock counts down
    bool no_moves;  // no move left: the board waits for its shuffle
};
extern Level level_state;

// The Time Challenge clock starts at the first selection, pauses in the
// settings and starts again when they close, and stops with the level.
void start_clock();
void pause_clock();
void stop_clock();
bool clock_running();

// A removed tile's animation runs while removing[cell] is set; these keep
// removing_count equal to the number of cells so marked.
void begin_removal(uint8_t cell);
void end_removal(uint8_t cell);
void clear_removals();

// The no-moves state shows until the board is shuffled or a level starts.
void show_no_moves();
void hide_no_moves();
bool no_moves_shown();
