// tutorial.h - three practice boards that teach the connection rule: a
// straight line, one turn, two turns. The level's board is set aside while
// they are played and given back unchanged.
#pragma once

#include <cstdint>

#include "config/config.h"

extern bool tutorial_active;

struct Tutorial {
    uint8_t step;  // 1..step_count
    uint8_t step_count;
    bool next_shown;
    bool close_shown;
    uint8_t demo_cells[4];
    uint8_t demo_count;
    Vec2 demo_points[4];
};
extern Tutorial tutorial;
extern float demo_alpha;  // opacity of the demonstration line

void start_tutorial();
void next_tutorial_step();
void end_tutorial();
// The board's cells are a tutorial WALL (only while the tutorial runs).
bool is_tutorial_wall(uint8_t cell);
// The removed pair (either order) is the demonstrated one: fade its line.
void on_tutorial_pair_removed(uint8_t first, uint8_t second);
// The set-aside level board, for saving while the tutorial runs; null when
// the tutorial is not active.
struct Board;
const Board* tutorial_set_aside_board();
