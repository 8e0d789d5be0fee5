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

// The whole shuffle: passes of permute_board until a move exists (at most
// 100), sprites and ghost flags follow their tiles, then the slide starts.
// Returns the number of passes made.
int shuffle_board();

// The slide of every tile from where its sprite stands to its new home and
// the "shuffle" sound. The sprites' x/y hold the old positions on entry.
void start_shuffle_animation();
// Forgets the selected tile before the tiles move.
void drop_selection_for_shuffle();
