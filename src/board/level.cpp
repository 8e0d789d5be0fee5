// level.cpp - the selection, removal count, connecting line and clock of the
// level.
#include "board/level.h"

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

void show_no_moves() {
    level_state.no_moves = true;
}

void hide_no_moves() {
    level_state.no_moves = false;
}

bool no_moves_shown() {
    return level_state.no_moves;
}
