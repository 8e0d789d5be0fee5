// shuffle.cpp - permuting the board until a move exists.
#include "board/shuffle.h"

#include <cstdio>
#include <cstring>

#include "audio/sounds.h"
#include "board/level.h"
#include "board/progress.h"
#include "screen/game_state.h"
#include "tween/tween.h"

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

int shuffle_board() {
    settle_cell_animations();
    drop_selection_for_shuffle();
    const int n = board.width * board.height;
    for (int i = 0; i < n; i++) {
        Vec2 home = cell_home_position((uint8_t)i);
        sprite[i].x = home.x;
        sprite[i].y = home.y;
    }

    // destination[i]: where the content of cell i stands after all passes.
    uint8_t destination[BOARD_MAX_CELLS];
    identity(destination);
    int passes = 0;
    while (passes < MAX_SHUFFLE_PASSES) {
        if (!permute_board()) break;  // nothing can move: more passes change nothing
        passes++;
        for (int i = 0; i < n; i++) destination[i] = shuffle_permutation[destination[i]];
        if (any_move_exists()) break;
    }

    CellSprite moved_sprites[BOARD_MAX_CELLS];
    GhostFlag moved_ghosts[BOARD_MAX_CELLS];
    memcpy(moved_sprites, sprite, sizeof moved_sprites);
    memcpy(moved_ghosts, ghost, sizeof moved_ghosts);
    for (int i = 0; i < n; i++) {
        moved_sprites[destination[i]] = sprite[i];
        moved_ghosts[destination[i]] = ghost[i];
    }
    memcpy(sprite, moved_sprites, sizeof moved_sprites);
    memcpy(ghost, moved_ghosts, sizeof moved_ghosts);

    start_shuffle_animation();
    return passes;
}

// Every cell, holes too, slides from where its sprite stands to its home
// over 0.4-0.6 s. A slide that finds no free tween slot jumps instead.
void start_shuffle_animation() {
    play_effect("shuffle");
    const int n = board.width * board.height;
    for (int i = 0; i < n; i++) {
        float d = 0.4f + 0.2f * random_unit(&shared_random);
        Vec2 home = cell_home_position((uint8_t)i);
        shuffling[i] = 1;
        uint8_t cell = (uint8_t)i;
        stop_cell_tween(TWEEN_SHUFFLE_X, cell);
        if (!start_cell_tween(TWEEN_SHUFFLE_X, cell, &sprite[i].x, sprite[i].x, home.x, d,
                              ease_out_sine))
            sprite[i].x = home.x;
        stop_cell_tween(TWEEN_SHUFFLE_Y, cell);
        if (!start_cell_tween(TWEEN_SHUFFLE_Y, cell, &sprite[i].y, sprite[i].y, home.y, d,
                              ease_out_sine, false, on_shuffle_done)) {
            sprite[i].y = home.y;
            shuffling[i] = 0;
        }
    }
}

void drop_selection_for_shuffle() { selected = false; }
