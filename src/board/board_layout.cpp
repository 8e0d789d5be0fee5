// board_layout.cpp - where the cells sit: layout units around the origin,
// scaled into the window between the mode's header and footer.
#include "board/board.h"
#include "platform/window_metrics.h"

float padding_between_tiles;
float default_header_height;
float default_footer_height;
float time_challenge_header_height;
float time_challenge_footer_height;
float moves_challenge_header_height;
float moves_challenge_footer_height;

Vec2 home_position_on(uint8_t i, uint8_t width, uint8_t height, float padding) {
    const float t = TILE_SIZE;
    int column = width ? i % width : 0;
    int row = width ? i / width : 0;
    Vec2 p;
    p.x = column * (t + padding) - width * t / 2 - (width - 1) * padding / 2 + t / 2;
    p.y = row * (t + padding) - height * t / 2 - (height - 1) * padding / 2 + t / 2;
    return p;
}

float scale_for_window(uint8_t width, uint8_t height, float w, float h, float header,
                       float footer) {
    float across = (float)width * TILE_SIZE - TILE_SIZE / 2;
    float down = (float)height * TILE_SIZE - TILE_SIZE / 2;
    if (across <= 0 || down <= 0) return 1.0f;  // no board yet
    float room = h - header - footer;
    if (room < 0) room = 0;
    float scale = w / across;
    if (room / down < scale) scale = room / down;
    return scale < 1.0f ? scale : 1.0f;
}

Vec2 cell_home_position(uint8_t i) {
    return home_position_on(i, board.width, board.height, padding_between_tiles);
}

float board_header_height() {
    if (time_challenge) return time_challenge_header_height;
    if (pairs_countdown) return moves_challenge_header_height;
    return default_header_height;
}

float board_footer_height() {
    if (time_challenge) return time_challenge_footer_height;
    if (pairs_countdown) return moves_challenge_footer_height;
    return default_footer_height;
}

float board_scale() {
    return scale_for_window(board.width, board.height, logical_width, logical_height,
                            board_header_height(), board_footer_height());
}

Vec2 cell_screen_position(uint8_t i) {
    Vec2 home = cell_home_position(i);
    float scale = board_scale();
    Vec2 p;
    p.x = home.x * scale + logical_width / 2.0f;
    p.y = home.y * scale + logical_height / 2.0f +
          (board_header_height() - board_footer_height()) / 2.0f;
    return p;
}
