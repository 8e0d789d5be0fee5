// pairs_countdown.cpp - ghosts becoming tiles and new ghosts being chosen.
#include "board/pairs_countdown.h"

#include "board/level.h"
#include "board/progress.h"
#include "board/random.h"

namespace {

bool is_inner_cell(int i) {
    int w = board.width, h = board.height;
    if (i < 0 || i >= w * h) return false;
    int c = i % w, r = i / w;
    return c >= 1 && c <= w - 2 && r >= 1 && r <= h - 2;
}

bool can_hold_ghost(int i) {
    return is_inner_cell(i) && board.cells[i] == EMPTY_CELL && !level_state.removing[i] &&
           !ghost[i];
}

// Each ghost becomes a tile of its own random picture.
void turn_ghosts_into_tiles(Refill* refill) {
    uint8_t pictures = current_set < tile_set_count ? tile_counts[current_set] : 0;
    for (int i = 0; i < BOARD_MAX_CELLS; i++) {
        if (!ghost[i]) continue;
        ghost[i] = 0;
        // A flag restored from a damaged file may sit on a tile or outside
        // the board: such a cell stays as it is.
        if (!is_inner_cell(i) || board.cells[i] != EMPTY_CELL || level_state.removing[i] ||
            pictures == 0)
            continue;
        board.cells[i] = (uint8_t)(random_upto(&shared_random, pictures - 1) + 1);
        board.tile_count++;
        refill->grown[refill->grown_count++] = (uint8_t)i;
    }
}

void choose_ghost() {
    int n = board.width * board.height;
    bool any = false;
    for (int i = 0; i < n && !any; i++) any = can_hold_ghost(i);
    if (!any) return;  // a full board has no room: never loop forever
    int cell;
    do {
        int c = random_upto(&shared_random, board.width - 3) + 1;
        int r = random_upto(&shared_random, board.height - 3) + 1;
        cell = r * board.width + c;
    } while (!can_hold_ghost(cell));
    ghost[cell] = 1;
}

}  // namespace

Refill refill_pairs_countdown() {
    Refill refill = {};
    int inner = (board.width - 2) * (board.height - 2);
    int threshold = inner > 0 ? 2 * (inner / 3) : 0;
    if (board.tile_count <= threshold) turn_ghosts_into_tiles(&refill);
    if (board.tile_count == threshold - 2) {
        choose_ghost();
        choose_ghost();
        refill.announced = true;
    }
    return refill;
}
