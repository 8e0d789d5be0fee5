// level.h - the state of the level being played that the click rules, the
// frame update, the drawing and the saved game share: the selection, the
// tiles still being removed, the last removed pair's connecting line, the
// Time Challenge clock and the Pairs Countdown budget.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "config/config.h"

// One struct, so that a level (or a test) starts from Level{}. The fields
// marked "verbs" change only through the functions below.
struct Level {
    bool selected;          // a first tile is selected
    uint8_t selected_cell;  // ...in this cell

    // verbs: a removed tile's animation runs while its cell is marked here,
    // and removing_count counts the marked cells.
    uint8_t removing[BOARD_MAX_CELLS];
    uint8_t removing_count;
    bool no_moves;           // verbs: no move left, the board waits for its shuffle

    // Time Challenge clock.
    bool clock_on;        // verbs: the clock counts down
    uint16_t time_limit;  // seconds allowed
    uint16_t time_left;   // whole seconds last shown by the timer
    float clock_seconds;  // the exact remaining time

    uint16_t pair_budget;  // pairs still to remove in Pairs Countdown
};
extern Level level_state;

// The Time Challenge clock starts at the first selection, pauses in the
// settings and starts again when they close, and stops with the level.
void start_clock();
void pause_clock();
void stop_clock();
bool clock_running();
// The running clock loses dt seconds. True when the whole second it shows
// (time_left) changed; at 0 the clock has stopped.
bool count_down_clock(float dt);

// The running removals: these keep removing_count equal to the number of
// cells marked in removing.
void begin_removal(uint8_t cell);
void end_removal(uint8_t cell);
void clear_removals();

// The no-moves state shows until the board is shuffled or a level starts.
void show_no_moves();
void hide_no_moves();
bool no_moves_shown();
