// shuffle.cpp - permuting the board until a move exists (the slide that
// shows it is screen/shuffle_flow's).
#include "board/shuffle.h"

#include <cstring>

uint8_t shuffle_permutation[BOARD_MAX_CELLS];

namespace {

const int MAX_SHUFFLE_PASSES = 100;

void identity(uint8_t permutation[BOARD_MAX_CELLS]) {
    for (int i = 0; i < BOARD_MAX_CELLS; i++) permutation[i] = (uint8_t)i;
}

}  // namespace

bool permute_cells(Board* b, MtRandom* g, uint8_t permutation[BOARD_MAX_CELLS]) {
    identity(permutation);
    const int w = b->width, h = b->height;
    int top = h, bottom = -1, left = w, right = -1;
    for (int r = 1; r <= h - 2; r++)
        for (int c = 1; c <= w - 2; c++) {
            if (b->cells[r * w + c] == EMPTY_CELL) continue;
            if (r < top) top = r;
            if (r > bottom) bottom = r;
            if (c < left) left = c;
            if (c > right) right = c;
        }
    if (bottom < 0) return false;  // no tile: every cell maps to itself

    uint8_t home[BOARD_MAX_CELLS], box[BOARD_MAX_CELLS];
    int m = 0;
    for (int r = top; r <= bottom; r++)
        for (int c = left; c <= right; c++) home[m++] = (uint8_t)(r * w + c);
    // A tile alone in its box has nowhere else to go.
    if (m < 2) return false;

    memcpy(box, home, (size_t)m);
    bool deranged;
    do {
        pool_shuffle(g, box, m);
        deranged = true;
        for (int k = 0; k < m; k++)
            if (box[k] == home[k]) deranged = false;
    } while (!deranged);

    for (int k = 0; k < m; k++) permutation[home[k]] = box[k];
    uint8_t moved[BOARD_MAX_CELLS];
    memcpy(moved, b->cells, sizeof moved);
    for (int k = 0; k < m; k++) moved[permutation[home[k]]] = b->cells[home[k]];
    memcpy(b->cells, moved, sizeof moved);
    return true;
}

bool permute_board() {
    return permute_cells(&board, &shared_random, shuffle_permutation);
}

int shuffle_cells(uint8_t destination[BOARD_MAX_CELLS]) {
    const int n = board.width * board.height;
    identity(destination);
    int passes = 0;
    while (passes < MAX_SHUFFLE_PASSES) {
        if (!permute_board()) break;  // nothing can move: more passes change nothing
        passes++;
        for (int i = 0; i < n; i++) destination[i] = shuffle_permutation[destination[i]];
        if (any_move_exists()) break;
    }
    return passes;
}
