// board_view.cpp - the board's drawing state and the sprites in use.
#include "screen/board_view.h"

#include "board/tutorial.h"

BoardView view;

CellSprite* cell_sprites() {
    return tutorial_active ? view.practice_sprites : view.level_sprites;
}
