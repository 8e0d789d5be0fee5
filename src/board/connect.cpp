// connect.cpp - the connection rule: two equal tiles join when a path of at
// most three straight segments runs between them through empty cells.
//
// The steps are tried in a fixed order, and that order is the tie-break the
// player sees in the drawn line: straight before one turn, vertical-first
// corner before horizontal-first, one turn before two, a detour through a
// row before one through a column, nearer detours first, up/left first.
#include "board/board.h"

ConnectionPath connection_path;

namespace {

int sign_of(int v) {
    return (v > 0) - (v < 0);
}

struct Grid {
    const uint8_t* cells;
    int width;
    bool empty(int row, int column) const { return cells[row * width + column] == EMPTY_CELL; }
};

// Cells strictly between rows r0 and r1 in a column are empty.
bool column_clear_between(const Grid& g, int column, int r0, int r1) {
    int step = sign_of(r1 - r0);
    for (int r = r0 + step; r != r1; r += step)
        if (!g.empty(r, column)) return false;
    return true;
}

bool row_clear_between(const Grid& g, int row, int c0, int c1) {
    int step = sign_of(c1 - c0);
    for (int c = c0 + step; c != c1; c += step)
        if (!g.empty(row, c)) return false;
    return true;
}

// Cells r0..r1 of a column, both ends included, are empty.
bool column_clear_span(const Grid& g, int column, int r0, int r1) {
    int step = r1 >= r0 ? 1 : -1;
    for (int r = r0;; r += step) {
        if (!g.empty(r, column)) return false;
        if (r == r1) return true;
    }
}

bool row_clear_span(const Grid& g, int row, int c0, int c1) {
    int step = c1 >= c0 ? 1 : -1;
    for (int c = c0;; c += step) {
        if (!g.empty(row, c)) return false;
        if (c == c1) return true;
    }
}

bool finish(ConnectionPath* path, uint8_t p1, uint8_t p2, uint8_t p3, int count) {
    path->points[1] = p1;
    path->points[2] = p2;
    path->points[3] = p3;
    path->count = (uint8_t)count;
    return true;
}

// Detour offsets -1, +1, -2, +2, ... -9, +9.
int detour_offset(int k) {
    return (k % 2 == 0) ? -(k / 2 + 1) : (k / 2 + 1);
}

}  // namespace

bool connect_cells(const Board& b, uint8_t first, uint8_t second, ConnectionPath* path) {
    path->count = 0;
    int cell_count = b.width * b.height;
    if (first >= cell_count || second >= cell_count) return false;
    if (first == second || b.cells[first] != b.cells[second]) return false;
    path->points[0] = first;
    path->count = 1;

    const Grid g = {b.cells, b.width};
    const int w = b.width, h = b.height;
    const int ra = first / w, ca = first % w, rb = second / w, cb = second % w;
    const int dc = sign_of(cb - ca), dr = sign_of(rb - ra);

    // Straight lines.
    if (dc == 0 && column_clear_between(g, ca, ra, rb)) return finish(path, second, 0, 0, 2);
    if (dr == 0 && row_clear_between(g, ra, ca, cb)) return finish(path, second, 0, 0, 2);

    // One turn. With dr or dc zero the corner would be one of the two tiles.
    if (dc != 0 && dr != 0) {
        if (column_clear_span(g, ca, ra + dr, rb) && row_clear_between(g, rb, ca, cb))
            return finish(path, (uint8_t)(rb * w + ca), second, 0, 3);
        if (row_clear_span(g, ra, ca + dc, cb) && column_clear_between(g, cb, ra, rb))
            return finish(path, (uint8_t)(ra * w + cb), second, 0, 3);
    }

    // Two turns through another row.
    if (dc != 0) {
        for (int k = 0; k < 18; k++) {
            int row = ra + detour_offset(k);
            if (row < 0 || row >= h || row == rb) continue;  // row rb would cross b itself
            if (row_clear_span(g, row, ca, cb) && column_clear_between(g, ca, ra, row) &&
                column_clear_between(g, cb, row, rb))
                return finish(path, (uint8_t)(row * w + ca), (uint8_t)(row * w + cb), second, 4);
        }
    }

    // Two turns through another column.
    if (dr != 0) {
        for (int k = 0; k < 18; k++) {
            int column = ca + detour_offset(k);
            if (column < 0 || column >= w || column == cb) continue;
            if (column_clear_span(g, column, ra, rb) && row_clear_between(g, ra, ca, column) &&
                row_clear_between(g, rb, column, cb))
                return finish(path, (uint8_t)(ra * w + column), (uint8_t)(rb * w + column), second,
                              4);
        }
    }
    return false;
}

bool board_has_move(const Board& b, ConnectionPath* path) {
    int cell_count = b.width * b.height;
    for (int a = 0; a + 1 < cell_count; a++) {
        uint8_t kind = b.cells[a];
        if (kind == EMPTY_CELL) continue;
        for (int c = a + 1; c < cell_count; c++)
            if (b.cells[c] == kind && connect_cells(b, (uint8_t)a, (uint8_t)c, path)) return true;
    }
    return false;
}

bool find_connection(uint8_t a, uint8_t b) {
    return connect_cells(board, a, b, &connection_path);
}

bool any_move_exists() {
    return board_has_move(board, &connection_path);
}

bool tiles_left_to_match() {
    int n = board.width * board.height;
    for (int i = 0; i < n && i < BOARD_MAX_CELLS; i++)
        if (board.cells[i] != EMPTY_CELL) return true;
    return false;
}
