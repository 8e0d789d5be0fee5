// board_bench_util.h - shared set-up of the board benchmarks: the shipped
// tile-set tables.
#pragma once

#include <cstring>

#include "board/board.h"

inline void use_shipped_tile_counts() {
    static const uint8_t counts[8] = {32, 32, 30, 32, 32, 32, 32, 32};
    tile_set_count = 8;
    memset(tile_counts, 0, sizeof tile_counts);
    memcpy(tile_counts, counts, sizeof counts);
}
