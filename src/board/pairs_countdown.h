// pairs_countdown.h - the Pairs Countdown refill: the board keeps about two
// thirds of its inner cells filled. Near that threshold each removal first
// turns the announced ghosts into tiles and then announces two more.
#pragma once

#include <cstdint>

#include "board/board.h"

struct Refill {
    uint8_t grown[BOARD_MAX_CELLS];  // cells whose ghost became a tile
    uint8_t grown_count;
    bool announced;  // two new ghosts were chosen
};

// Run after each removal of a Pairs Countdown that goes on, on the level's
// board, ghosts and running removals (a removing cell is never chosen). New
// tiles get random pictures 1..pictures; the caller gives them their
// pictures and animations.
Refill refill_pairs_countdown(Board& b, GhostFlag ghosts[BOARD_MAX_CELLS],
                              const uint8_t removing[BOARD_MAX_CELLS], uint8_t pictures);
