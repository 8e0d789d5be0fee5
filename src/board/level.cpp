// level.cpp - the selection, removal count and connecting line of the level.
#include "board/level.h"

bool selected;
uint8_t selected_cell;
uint8_t second_cell;
uint8_t removing_count;
uint8_t no_moves_shown;
Vec2 line_points[4];
uint8_t line_point_count;
float line_alpha, line_scale;
