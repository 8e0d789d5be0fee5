// tutorial.cpp - placeholder until the tutorial lands; replaced wholesale.
#include "board/tutorial.h"
bool tutorial_active;
Tutorial tutorial;
float demo_alpha;
void start_tutorial() {}
void next_tutorial_step() {}
void end_tutorial() {}
bool is_tutorial_wall(uint8_t) { return false; }
void on_tutorial_pair_removed(uint8_t, uint8_t) {}
const Board* tutorial_set_aside_board() { return nullptr; }
