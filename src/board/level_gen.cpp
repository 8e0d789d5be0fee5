// level_gen.cpp - a level's layout from its number.
//
// Regular and Time Challenge boards are dealt by a local generator seeded
// with level * 100 + the level's seed offset, so a level always looks the
// same; the offset table lets a designer swap an awkward deal for another.
// Pairs are dealt kind K, K-1, ..., 1, K, ... so every kind comes in an even
// number. Pairs Countdown boards are drawn from shared_random instead.
#include <cstring>

#include "board/board.h"
#include "board/random.h"

namespace {

// Dealing stops after this many deals without a move. A deal with a move
// turns up within a few tries on every real board; the cap only keeps a
// corrupt setup from hanging the game.
const int MAX_DEALS = 100000;

struct RegularShape {
    uint8_t columns, rows, kinds;
};

RegularShape regular_shape(uint16_t number, uint8_t pictures) {
    static const RegularShape first_levels[5] = {
        {3, 2, 3}, {4, 3, 4}, {3, 4, 5}, {4, 4, 6}, {4, 5, 7}};
    static const uint8_t shapes[9][2] = {{3, 4}, {4, 4}, {4, 5}, {5, 4}, {5, 5},
                                         {5, 6}, {6, 6}, {6, 7}, {7, 7}};
    if (number >= 1 && number <= 5) return first_levels[number - 1];
    int slot = (number - 1) % 10;  // never 9: those levels are challenges
    unsigned kinds = (unsigned)number + 1 < pictures ? (unsigned)number + 1 : pictures;
    return {shapes[slot][0], shapes[slot][1], (uint8_t)kinds};
}

void clear_board(Board* out, int width, int height) {
    memset(out->cells, 0, sizeof out->cells);
    out->width = (uint8_t)width;
    out->height = (uint8_t)height;
    out->tile_count = 0;
}

// Deals kinds K, K-1, ..., 1, K, ... over the pool in pairs until a move
// exists; each deal reshuffles the pool as the previous deal left it.
bool deal_pairs(Board* out, MtRandom* local, uint8_t* pool, int m, uint8_t kinds) {
    ConnectionPath path;
    for (int deal = 0; deal < MAX_DEALS; deal++) {
        pool_shuffle(local, pool, m);
        uint8_t kind = kinds;
        for (int k = 0; k + 1 < m; k += 2) {
            out->cells[pool[k]] = kind;
            out->cells[pool[k + 1]] = kind;
            kind = kind > 1 ? (uint8_t)(kind - 1) : kinds;
        }
        if (board_has_move(*out, &path)) return true;
    }
    return false;
}

bool make_dealt_layout(Board* out, uint16_t number, uint8_t offset, uint8_t pictures) {
    MtRandom local;
    seed_random(&local, (uint32_t)number * 100u + offset);

    bool challenge = level_mode(number) == LEVEL_TIME_CHALLENGE;
    RegularShape shape = challenge ? RegularShape{7, 8, pictures} : regular_shape(number, pictures);
    int width = shape.columns + 2, height = shape.rows + 2;
    clear_board(out, width, height);

    // Odd by odd boards leave cells empty so that the rest pair up.
    bool hole[BOARD_MAX_CELLS] = {};
    if (shape.columns % 2 == 1 && shape.rows % 2 == 1) {
        if (number % 10 == 9) {
            int r = random_upto(&local, 2);
            for (int i = 0; i < width * height; i++) {
                if (r != 1 && i % width == width / 2) hole[i] = true;
                if (r != 0 && i / width == height / 2) hole[i] = true;
            }
        } else {
            hole[(width * height) / 2] = true;
        }
    }

    uint8_t pool[BOARD_MAX_CELLS];
    int m = 0;
    for (int c = 1; c <= width - 2; c++)
        for (int r = 1; r <= height - 2; r++)
            if (!hole[r * width + c]) pool[m++] = (uint8_t)(r * width + c);

    bool dealt = deal_pairs(out, &local, pool, m, shape.kinds);
    out->tile_count = count_tiles(*out);
    return dealt;
}

bool make_countdown_layout(Board* out, uint8_t pictures) {
    clear_board(out, 8, 10);
    ConnectionPath path;
    for (int deal = 0; deal < MAX_DEALS; deal++) {
        for (int r = 1; r <= 8; r++)
            for (int c = 1; c <= 6; c++)
                out->cells[r * 8 + c] = (uint8_t)(random_upto(&shared_random, pictures - 1) + 1);
        if (board_has_move(*out, &path)) {
            out->tile_count = count_tiles(*out);
            return true;
        }
    }
    out->tile_count = count_tiles(*out);
    return false;
}

}  // namespace

uint8_t count_tiles(const Board& b) {
    uint8_t n = 0;
    for (int i = 0; i < b.width * b.height && i < BOARD_MAX_CELLS; i++)
        n += b.cells[i] != EMPTY_CELL;
    return n;
}

bool make_level_layout(Board* out, uint16_t number) {
    uint8_t pictures = picture_count_of_level(number);
    if (number == 0 || pictures == 0) {
        clear_board(out, 0, 0);
        return false;
    }
    if (level_mode(number) == LEVEL_PAIRS_COUNTDOWN) return make_countdown_layout(out, pictures);
    return make_dealt_layout(out, number, level_seed_offset(number), pictures);
}

bool make_layout_with_offset(Board* out, uint16_t number, uint8_t offset) {
    uint8_t pictures = picture_count_of_level(number);
    if (number == 0 || pictures == 0 || level_mode(number) == LEVEL_PAIRS_COUNTDOWN) {
        clear_board(out, 0, 0);
        return false;
    }
    return make_dealt_layout(out, number, offset, pictures);
}

bool generate_level_layout(uint16_t number) {
    return make_level_layout(&board, number);
}
