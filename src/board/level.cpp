// level.cpp - the selection, the running removals, the connecting line and
// the clock of the level.
#include "board/level.h"

#include <cstring>

#include "board/board.h"

Level level_state;

void start_clock() {
    level_state.clock_on = true;
}

void pause_clock() {
    level_state.clock_on = false;
}

void stop_clock() {
    level_state.clock_on = false;
}

bool clock_running() {
    return level_state.clock_on;
}

bool count_down_clock(float dt) {
    Level& l = level_state;
    l.clock_seconds -= dt;
    uint16_t s = l.clock_seconds > 0.0f ? (uint16_t)l.clock_seconds : 0;
    if (s == l.time_left) return false;
    l.time_left = s;
    if (s == 0) stop_clock();
    return true;
}

void begin_removal(uint8_t cell) {
    Level& l = level_state;
    if (cell >= BOARD_MAX_CELLS || l.removing[cell]) return;
    l.removing[cell] = 1;
    l.removing_count++;
}

void end_removal(uint8_t cell) {
    Level& l = level_state;
    if (cell >= BOARD_MAX_CELLS || !l.removing[cell]) return;
    l.removing[cell] = 0;
    if (l.removing_count > 0) l.removing_count--;
}

void clear_removals() {
    Level& l = level_state;
    memset(l.removing, 0, sizeof l.removing);
    l.removing_count = 0;
}

void show_no_moves() {
    level_state.no_moves = true;
}

void hide_no_moves() {
    level_state.no_moves = false;
}

bool no_moves_shown() {
    return level_state.no_moves;
}
