// tile_textures.h - a tile set's pictures in the texture pool and the
// pictures of the board's cells; the board only knows the sets' counts and
// picture names.
#pragma once

#include <cstdint>

bool tile_set_loaded(uint8_t set);
void load_tile_set(uint8_t set);
void unload_tile_set(uint8_t set);
// Gives every tile of the board its picture from the set (holes get none);
// tile_count is the rules' (deal_level). The tutorial textures its own boards.
void set_cell_textures(uint8_t set);
