// shuffle_flow.cpp - shuffle_board and the slide of the tiles to their new
// cells.
#include "screen/shuffle_flow.h"

#include <cstring>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/random.h"
#include "board/shuffle.h"
#include "screen/board_view.h"
#include "screen/game_state.h"
#include "tween/tween.h"

int shuffle_board() {
    settle_cell_animations();
    const int n = board.width * board.height;
    for (int i = 0; i < n; i++) {
        Vec2 home = cell_home_position((uint8_t)i);
        cell_sprites()[i].x = home.x;
        cell_sprites()[i].y = home.y;
    }

    uint8_t destination[BOARD_MAX_CELLS];
    int passes = shuffle_level(destination);

    CellSprite moved_sprites[BOARD_MAX_CELLS];
    memcpy(moved_sprites, cell_sprites(), sizeof moved_sprites);
    for (int i = 0; i < n; i++) moved_sprites[destination[i]] = cell_sprites()[i];
    memcpy(cell_sprites(), moved_sprites, sizeof moved_sprites);

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
        view.shuffling[i] = 1;
        uint8_t cell = (uint8_t)i;
        stop_cell_tween(TWEEN_SHUFFLE_X, cell);
        if (!start_cell_tween(TWEEN_SHUFFLE_X, cell, &cell_sprites()[i].x, cell_sprites()[i].x, home.x, d,
                              ease_out_sine))
            cell_sprites()[i].x = home.x;
        stop_cell_tween(TWEEN_SHUFFLE_Y, cell);
        if (!start_cell_tween(TWEEN_SHUFFLE_Y, cell, &cell_sprites()[i].y, cell_sprites()[i].y, home.y, d,
                              ease_out_sine, false, on_shuffle_done)) {
            cell_sprites()[i].y = home.y;
            view.shuffling[i] = 0;
        }
    }
}
