// board_test_util.h - helpers shared by the board tests: boards written as
// rows of text and the tile-set tables of the shipped pictures.
#pragma once

#include <cstring>
#include <initializer_list>

#include "board/board.h"
#include "support/shipped_tiles.h"

inline void use_tile_counts(std::initializer_list<uint8_t> counts) {
    tile_set_count = 0;
    memset(tile_counts, 0, sizeof tile_counts);
    for (uint8_t c : counts) tile_counts[tile_set_count++] = c;
}

// A board of width columns from a list of rows * width values.
inline Board board_from(int width, int height, std::initializer_list<int> values) {
    Board b = {};
    b.width = (uint8_t)width;
    b.height = (uint8_t)height;
    int i = 0;
    for (int v : values) b.cells[i++] = (uint8_t)v;
    for (int k = 0; k < width * height; k++) b.tile_count += b.cells[k] != 0;
    return b;
}

inline int tiles_on(const Board& b) {
    int n = 0;
    for (int i = 0; i < b.width * b.height; i++) n += b.cells[i] != 0;
    return n;
}

inline bool frame_is_empty(const Board& b) {
    for (int r = 0; r < b.height; r++)
        for (int c = 0; c < b.width; c++) {
            bool frame = r == 0 || c == 0 || r == b.height - 1 || c == b.width - 1;
            if (frame && b.cells[r * b.width + c] != 0) return false;
        }
    return true;
}

// The three tutorial boards, rows top to bottom.
inline Board tutorial_board(int step) {
    if (step == 1)
        return board_from(6, 6, {0, 0, 0, 0, 0, 0,  //
                                 0, 9, 9, 9, 9, 0,  //
                                 0, 1, 0, 0, 1, 0,  //
                                 0, 9, 2, 2, 9, 0,  //
                                 0, 9, 9, 9, 9, 0,  //
                                 0, 0, 0, 0, 0, 0});
    if (step == 2)
        return board_from(6, 6, {0, 0, 0, 0, 0, 0,  //
                                 0, 0, 0, 1, 9, 0,  //
                                 0, 0, 2, 0, 9, 0,  //
                                 0, 1, 0, 0, 2, 0,  //
                                 0, 9, 9, 9, 9, 0,  //
                                 0, 0, 0, 0, 0, 0});
    return board_from(6, 7, {0, 0, 0, 0, 0, 0,  //
                             0, 0, 0, 0, 0, 0,  //
                             0, 1, 9, 9, 1, 0,  //
                             0, 9, 9, 9, 9, 0,  //
                             0, 0, 2, 9, 2, 0,  //
                             0, 0, 0, 9, 0, 0,  //
                             0, 0, 0, 0, 0, 0});
}
