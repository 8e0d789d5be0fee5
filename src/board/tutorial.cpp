// tutorial.cpp - the three practice boards and the tutorial's state. While
// they are played the level's board waits in set_aside, so closing gives
// the level back exactly as it was.
#include "board/tutorial.h"

#include <cstring>

#include "board/board.h"

bool tutorial_active;
Tutorial tutorial;

namespace {

enum { TUTORIAL_WIDTH = 6, TUTORIAL_MAX_CELLS = 42 };

struct PracticeBoard {
    uint8_t height;
    uint8_t cells[TUTORIAL_MAX_CELLS];
    uint8_t demo_first, demo_second;  // the pair whose path is shown
};

// Rows top to bottom; 9 is a wall, 1 and 2 are pictures of the first set.
const PracticeBoard PRACTICE_BOARDS[TUTORIAL_STEP_COUNT] = {
    {6,
     {0, 0, 0, 0, 0, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 1, 0, 0, 1, 0,  //
      0, 9, 2, 2, 9, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 0, 0, 0, 0, 0},
     13,
     16},
    {6,
     {0, 0, 0, 0, 0, 0,  //
      0, 0, 0, 1, 9, 0,  //
      0, 0, 2, 0, 9, 0,  //
      0, 1, 0, 0, 2, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 0, 0, 0, 0, 0},
     19,
     9},
    {7,
     {0, 0, 0, 0, 0, 0,  //
      0, 0, 0, 0, 0, 0,  //
      0, 1, 9, 9, 1, 0,  //
      0, 9, 9, 9, 9, 0,  //
      0, 0, 2, 9, 2, 0,  //
      0, 0, 0, 9, 0, 0,  //
      0, 0, 0, 0, 0, 0},
     13,
     16},
};

Board set_aside;

}  // namespace

void begin_practice(bool seen) {
    if (!tutorial_active) set_aside = board;
    tutorial_active = true;
    tutorial.step_count = TUTORIAL_STEP_COUNT;
    tutorial.step = 1;
    // Seen once, it may be left at any step; the first time only at the end.
    tutorial.next_shown = seen;
    tutorial.close_shown = false;
    lay_out_practice_step();
}

void next_practice_step(bool seen) {
    tutorial.step++;
    if (tutorial.step == tutorial.step_count) {
        tutorial.next_shown = false;
        if (seen) tutorial.close_shown = true;
    }
    lay_out_practice_step();
}

void offer_practice_close() {
    tutorial.close_shown = true;
}

void lay_out_practice_step() {
    const PracticeBoard& practice = PRACTICE_BOARDS[tutorial.step - 1];
    memset(&board, 0, sizeof board);
    board.width = TUTORIAL_WIDTH;
    board.height = practice.height;
    memcpy(board.cells, practice.cells, (size_t)TUTORIAL_WIDTH * practice.height);
    board.tile_count = 4;

    memset(tutorial.demo_cells, 0, sizeof tutorial.demo_cells);
    memset(tutorial.demo_points, 0, sizeof tutorial.demo_points);
    tutorial.demo_count = 0;
    if (find_connection(practice.demo_first, practice.demo_second)) {
        tutorial.demo_count = connection_path.count;
        for (int k = 0; k < connection_path.count && k < 4; k++) {
            tutorial.demo_cells[k] = connection_path.points[k];
            tutorial.demo_points[k] = cell_home_position(connection_path.points[k]);
        }
    }
}

void end_practice() {
    if (!tutorial_active) return;
    tutorial_active = false;
    board = set_aside;
}

bool is_tutorial_wall(uint8_t cell) {
    return tutorial_active && cell < board.width * board.height && board.cells[cell] == WALL;
}

bool is_demonstrated_pair(uint8_t first, uint8_t second) {
    if (!tutorial_active || tutorial.demo_count < 2) return false;
    uint8_t a = tutorial.demo_cells[0], b = tutorial.demo_cells[tutorial.demo_count - 1];
    return (first == a && second == b) || (first == b && second == a);
}

const Board* tutorial_set_aside_board() {
    return tutorial_active ? &set_aside : nullptr;
}
