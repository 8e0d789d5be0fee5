// shipped_tiles.h - the tile-set tables of the shipped pictures, for the
// board tests and benchmarks (header only: the benchmarks link no test
// code).
#pragma once

#include <cstring>

#include "board/board.h"

// Eight sets, the third with 30 pictures.
inline void use_shipped_tile_counts() {
    static const uint8_t counts[8] = {32, 32, 30, 32, 32, 32, 32, 32};
    tile_set_count = 8;
    memset(tile_counts, 0, sizeof tile_counts);
    memcpy(tile_counts, counts, sizeof counts);
}
