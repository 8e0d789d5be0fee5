// pairs_countdown.cpp - ghosts becoming tiles and new ghosts being chosen.
#include "board/pairs_countdown.h"

#include "board/random.h"

namespace {

struct RefillBoard {
    Board& b;
    GhostFlag* ghosts;
    const uint8_t* removing;
};

bool is_inner_cell(const Board& b, int i) {
    int w = b.width, h = b.height;
    if (i < 0 || i >= w * h) return false;
    int c = i % w, r = i / w;
    return c >= 1 && c <= w - 2 && r >= 1 && r <= h - 2;
}

bool can_hold_ghost(const RefillBoard& r, int i) {
    return is_inner_cell(r.b, i) && r.b.cells[i] == EMPTY_CELL && !r.removing[i] && !r.ghosts[i];
}

// Each ghost becomes a tile of its own random picture.
void turn_ghosts_into_tiles(const RefillBoard& r, uint8_t pictures, Refill* refill) {
    for (int i = 0; i < BOARD_MAX_CELLS; i++) {
        if (!r.ghosts[i]) continue;
        r.ghosts[i] = 0;
        // A flag restored from a damaged file may sit on a tile or outside
        // the board: such a cell stays as it is.
        if (!is_inner_cell(r.b, i) || r.b.cells[i] != EMPTY_CELL || r.removing[i] || pictures == 0)
            continue;
        r.b.cells[i] = (uint8_t)(random_upto(&shared_random, pictures - 1) + 1);
        r.b.tile_count++;
        refill->grown[refill->grown_count++] = (uint8_t)i;
    }
}

void choose_ghost(const RefillBoard& r) {
    int n = r.b.width * r.b.height;
    bool any = false;
    for (int i = 0; i < n && !any; i++) any = can_hold_ghost(r, i);
    if (!any) return;  // a full board has no room: never loop forever
    int cell;
    do {
        int c = random_upto(&shared_random, r.b.width - 3) + 1;
        int row = random_upto(&shared_random, r.b.height - 3) + 1;
        cell = row * r.b.width + c;
    } while (!can_hold_ghost(r, cell));
    r.ghosts[cell] = 1;
}

}  // namespace

Refill refill_pairs_countdown(Board& b, GhostFlag ghosts[BOARD_MAX_CELLS],
                              const uint8_t removing[BOARD_MAX_CELLS], uint8_t pictures) {
    Refill refill = {};
    RefillBoard r = {b, ghosts, removing};
    int inner = (b.width - 2) * (b.height - 2);
    int threshold = inner > 0 ? 2 * (inner / 3) : 0;
    if (b.tile_count <= threshold) turn_ghosts_into_tiles(r, pictures, &refill);
    if (b.tile_count == threshold - 2) {
        choose_ghost(r);
        choose_ghost(r);
        refill.announced = true;
    }
    return refill;
}
