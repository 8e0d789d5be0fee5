// tile_textures.cpp - the pictures of a tile set in the texture pool, and
// the textures of the board's cells.
#include "screen/tile_textures.h"

#include "board/board.h"
#include "render/texture.h"
#include "screen/board_view.h"

namespace {

uint8_t pictures_of_set(uint8_t set) {
    return set < tile_set_count ? tile_counts[set] : 0;
}

}  // namespace

bool tile_set_loaded(uint8_t set) {
    char name[32];
    tile_picture_name(name, sizeof name, set, 1);
    return find_texture(name) != nullptr;
}

void load_tile_set(uint8_t set) {
    char name[32];
    uint8_t count = pictures_of_set(set);
    for (int k = 1; k <= count; k++) {
        tile_picture_name(name, sizeof name, set, (uint8_t)k);
        // A picture already in the pool is not loaded twice: unloading
        // frees one record per picture.
        if (!find_texture(name)) load_image(name);
    }
}

void unload_tile_set(uint8_t set) {
    char name[32];
    uint8_t count = pictures_of_set(set);
    for (int k = 1; k <= count; k++) {
        tile_picture_name(name, sizeof name, set, (uint8_t)k);
        if (Texture* texture = find_texture(name)) delete_texture(texture);
    }
}

void set_cell_textures(uint8_t set) {
    char name[32];
    int cell_count = board.width * board.height;
    for (int i = 0; i < BOARD_MAX_CELLS; i++) {
        uint8_t value = i < cell_count ? board.cells[i] : 0;
        cell_sprites()[i].texture = nullptr;
        if (value == EMPTY_CELL) continue;
        tile_picture_name(name, sizeof name, set, value);
        cell_sprites()[i].texture = find_texture(name);
    }
}

