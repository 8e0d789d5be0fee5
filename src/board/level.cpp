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
    if (cell >= BOARD_MAX_CELLS || removing[cell]) return;
    removing[cell] = 1;
    level_state.removing_count++;
}

void end_removal(uint8_t cell) {
    if (cell >= BOARD_MAX_CELLS || !removing[cell]) return;
    removing[cell] = 0;
    if (level_state.removing_count > 0) level_state.removing_count--;
}

void clear_removals() {
    memset(removing, 0, sizeof removing);
    level_state.removing_count = 0;
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
