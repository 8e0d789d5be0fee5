// board_cursor.h - the keyboard's cursor on the board: an outline around one
// inner cell (the empty frame excluded), moved by the arrow keys, whose
// cell Space or Enter presses as the mouse would at its centre.
//
// It shows with the keyboard's focus (ui/key_focus.h): a key that finds the
// focus hidden, or the cursor never placed on this board, only shows it.
#pragma once

#include <cstdint>

enum CursorMove : uint8_t { CURSOR_LEFT, CURSOR_RIGHT, CURSOR_UP, CURSOR_DOWN };

struct BoardCursor {
    bool placed;
    uint8_t cell;
    uint8_t board_width, board_height;  // of the board it was placed on
};
extern BoardCursor board_cursor;

// The inner cell one step from cell on a width x height board, or cell
// itself at an edge (or on a board with no inner cells).
uint8_t cursor_step(uint8_t cell, uint8_t width, uint8_t height, CursorMove move);
// Where the cursor first shows: the selected tile when there is one on an
// inner cell, else the top-left inner cell.
uint8_t cursor_start_cell(bool selected, uint8_t selected_cell, uint8_t width, uint8_t height);

// An arrow key: moves the cursor one cell, or only shows it.
void move_board_cursor(CursorMove move);
// Space or Enter: a press and a release at the cursor's cell's centre, or
// only showing the cursor.
void press_board_cursor();
// The outline, when it shows and nothing but the tutorial covers the board.
void draw_board_cursor();
