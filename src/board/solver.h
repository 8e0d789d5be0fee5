// solver.h - the exact solver used to design levels: can a board be cleared
// completely under the connection rule, and in which order?
//
// Not used while playing; level-tool and the tests call it. A "move"
// removes two equal, connectable tiles. Removing tiles only ever opens
// paths, so clearing a whole kind at once never spoils a solution; the
// solver takes such moves without branching and searches (depth first,
// remembering boards already shown to be dead ends) only over moves that
// remove part of a kind.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/random.h"

enum SolveResult : uint8_t {
    SOLVE_CLEARED,  // a clearing order was found
    SOLVE_STUCK,    // no removal order clears the board
    SOLVE_GAVE_UP,  // the node limit ran out first
};

struct SolveMove {
    uint8_t first, second;  // cell indices, removed in this order
};

enum { SOLVE_MAX_MOVES = 50 };
const uint64_t DESIGN_NODE_LIMIT = 20000000;

struct Solution {
    SolveResult result;
    uint8_t move_count;
    SolveMove moves[SOLVE_MAX_MOVES];
    uint64_t nodes;  // search nodes visited
};

// node_limit 0 searches to the end. Boards with more than 64 tiles are
// beyond the solver and come back as given up.
SolveResult solve_board(const Board& b, Solution* out, uint64_t node_limit = 0);

// Plays the board many times, each time removing a uniformly random
// connectable pair until none is left; the share of games that stop with
// tiles still on the board.
float dead_end_share(const Board& b, MtRandom* g, int games);
// Number of connectable pairs on the board.
int count_open_moves(const Board& b);

struct DesignReport {
    uint16_t levels;           // regular and Time Challenge levels examined
    uint16_t solvable_before;  // with every offset 0
    uint16_t solvable_after;   // with the chosen offsets
    uint16_t unfixable_count;
    uint16_t unfixable[LEVEL_SEED_OFFSET_COUNT];  // levels no offset makes solvable
    uint16_t undecided;       // layouts the solver gave up on (counted as not solvable)
    uint64_t layouts_solved;  // solver runs in all
};

// For every regular and Time Challenge level 1..last_level, the smallest
// offset 0..255 whose layout can be cleared (0 for levels no offset fixes).
// Uses the tile-set tables; fills offsets[level - 1]. Each layout gets at
// most DESIGN_NODE_LIMIT search nodes.
void design_seed_offsets(uint8_t offsets[LEVEL_SEED_OFFSET_COUNT], DesignReport* report,
                         uint16_t last_level = MAX_LEVEL);
