// tutorial.h - three practice boards that teach the connection rule: a
// straight line, one turn, two turns. The level's board is set aside while
// they are played and given back unchanged. This is the tutorial's state
// and its boards; screen/tutorial_flow plays it (pictures, animations,
// sounds).
#pragma once

#include <cstdint>

#include "config/config.h"

enum { TUTORIAL_STEP_COUNT = 3 };
// The practice pictures always come from the first set, whatever the level.
enum : uint8_t { PRACTICE_SET = 0 };

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

// Sets the level's board aside (unless a practice board is already being
// played) and lays out step 1. Seen before (seen), it may be left at any
// step; the first time only once every board is cleared.
void begin_practice(bool seen);
// Lays out the next step's board; on the last, Next gives way to Close
// when the tutorial was seen before.
void next_practice_step(bool seen);
// The last board is cleared: Close is offered.
void offer_practice_close();
// Lays out tutorial.step's board and its demonstrated path on the board.
void lay_out_practice_step();
// Gives the level's board back; tutorial_active is false afterwards.
void end_practice();

// The board's cells are a tutorial WALL (only while the tutorial runs).
bool is_tutorial_wall(uint8_t cell);
// The pair (either order) is the one whose path the step demonstrates.
bool is_demonstrated_pair(uint8_t first, uint8_t second);
// The set-aside level board, for saving while the tutorial runs; null when
// the tutorial is not active.
struct Board;
const Board* tutorial_set_aside_board();
