// board_cursor.cpp - the board cursor's moves, its press and its outline.
#include "screen/board_cursor.h"

#include "board/board.h"
#include "board/level.h"
#include "board/tutorial.h"
#include "screen/click.h"
#include "ui/key_focus.h"
#include "ui/overlays.h"

BoardCursor board_cursor;

uint8_t cursor_step(uint8_t cell, uint8_t width, uint8_t height, CursorMove move) {
    if (width < 3 || height < 3) return cell;
    int column = cell % width, row = cell / width;
    if (move == CURSOR_LEFT) column--;
    if (move == CURSOR_RIGHT) column++;
    if (move == CURSOR_UP) row--;
    if (move == CURSOR_DOWN) row++;
    if (column < 1) column = 1;
    if (column > width - 2) column = width - 2;
    if (row < 1) row = 1;
    if (row > height - 2) row = height - 2;
    return (uint8_t)(row * width + column);
}

uint8_t cursor_start_cell(bool selected, uint8_t selected_cell, uint8_t width, uint8_t height) {
    uint8_t top_left = (uint8_t)(width + 1);
    if (!selected || width < 3 || height < 3) return top_left;
    int column = selected_cell % width, row = selected_cell / width;
    bool inner = column >= 1 && column <= width - 2 && row >= 1 && row <= height - 2;
    return inner ? selected_cell : top_left;
}

namespace {

// A cursor placed on another board (a practice board, a level of another
// size) starts again.
bool cursor_on_this_board() {
    return board_cursor.placed && board_cursor.board_width == board.width &&
           board_cursor.board_height == board.height;
}

// True when the cursor already showed; otherwise it shows now.
bool cursor_showing() {
    bool showing = show_key_focus() && cursor_on_this_board();
    if (!cursor_on_this_board()) {
        board_cursor.placed = true;
        board_cursor.board_width = board.width;
        board_cursor.board_height = board.height;
        board_cursor.cell = cursor_start_cell(level_state.selected, level_state.selected_cell,
                                              board.width, board.height);
    }
    return showing;
}

}  // namespace

void move_board_cursor(CursorMove move) {
    if (!cursor_showing()) return;
    board_cursor.cell = cursor_step(board_cursor.cell, board.width, board.height, move);
}

// The one place a key presses a cell: exactly the mouse's press and release.
void press_board_cursor() {
    if (!cursor_showing()) return;
    Vec2 at = cell_screen_position(board_cursor.cell);
    handle_click(true, true, at.x, at.y);
    handle_click(true, false, at.x, at.y);
}

void draw_board_cursor() {
    if (!key_focus.shown || !cursor_on_this_board()) return;
    if (!tutorial_active && any_overlay_open()) return;
    Vec2 at = cell_screen_position(board_cursor.cell);
    float side = TILE_SIZE * board_scale();
    draw_focus_outline(at.x, at.y, side, side);
}
