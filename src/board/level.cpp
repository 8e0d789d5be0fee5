// level.cpp - the selection, the running removals, the connecting line and
// the clock of the level.
#include "board/level.h"

#include <cstring>

#include "board/board.h"

bool selected;
uint8_t selected_cell;
uint8_t second_cell;
uint8_t removing_count;
Vec2 line_points[4];
uint8_t line_point_count;
float line_alpha, line_scale;
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

void begin_removal(uint8_t cell) {
    if (cell >= BOARD_MAX_CELLS || removing[cell]) return;
    removing[cell] = 1;
    removing_count++;
}

void end_removal(uint8_t cell) {
    if (cell >= BOARD_MAX_CELLS || !removing[cell]) return;
    removing[cell] = 0;
    if (removing_count > 0) removing_count--;
}

void clear_removals() {
    memset(removing, 0, sizeof removing);
    removing_count = 0;
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
