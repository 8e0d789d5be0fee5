// board_view.h - how the board looks at this moment: each cell's picture,
// scale and sliding position, which tiles draw above the others, the
// connecting line of the last removed pair, the tutorial's demonstration
// line, the new ghosts' growth and the timer's flash.
//
// Words: a sprite is a cell's drawn record (picture, extra scale, position
// while sliding); a draw layer is 0 for resting tiles, 1 and 2 for tiles
// drawn above them while they bounce or are removed. The rules in board/
// never read any of this; tweens write it and the drawing reads it.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "config/config.h"

struct Texture;

struct CellSprite {
    Texture* texture;  // picture of the tile, or null
    float scale;       // extra scale of bounce/appear; 0 at rest, -1 about to appear
    float x, y;        // drawn centre in layout units while shuffling
};

// One struct, so that a new game (or a test) starts from BoardView{}.
struct BoardView {
    CellSprite level_sprites[BOARD_MAX_CELLS];
    // The practice boards draw with their own sprites, so the level's
    // stay untouched while the tutorial runs.
    CellSprite practice_sprites[BOARD_MAX_CELLS];
    uint8_t draw_layer[BOARD_MAX_CELLS];
    uint8_t shuffling[BOARD_MAX_CELLS];  // sliding to its cell: drawn at the sprite's x, y

    // The last removed pair's connecting line, in layout units.
    Vec2 line_points[4];
    uint8_t line_point_count;
    float line_alpha, line_scale;

    float demo_alpha;           // opacity of the tutorial's demonstration line
    float ghost_appear_factor;  // 0..1, grows new Pairs Countdown ghosts
    float timer_highlight;      // seconds left of the timer's flash
};
extern BoardView view;

// The sprites of the board being played: the practice boards' while the
// tutorial runs, the level's otherwise.
CellSprite* cell_sprites();
