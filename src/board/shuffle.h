// shuffle.h - rearranging the remaining tiles when no pair connects (or the
// player asks for it), each tile keeping its picture and drawing record.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/random.h"

// For each cell j, the cell its content moved to in the last permute_board.
extern uint8_t shuffle_permutation[BOARD_MAX_CELLS];

// One random derangement of the bounding box of the tiles (holes inside the
// box take part). Writes the mapping into permutation. Returns false, with
// the board untouched and the identity mapping, when the box has fewer than
// two cells (no tile, or one tile alone: no derangement exists).
bool permute_cells(Board* b, MtRandom* g, uint8_t permutation[BOARD_MAX_CELLS]);
// The same on the global board with shared_random and shuffle_permutation.
bool permute_board();

// The rules of a shuffle: passes of permute_board until a move exists (at
// most 100). destination[i] is the
// cell the content of cell i ended in. Returns the number of passes made.
int shuffle_cells(uint8_t destination[BOARD_MAX_CELLS]);
