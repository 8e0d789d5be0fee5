// progress_panel.h - what the menu panel and the tests need to know about
// the progress panel beyond popups.h: its resting area and the pictures it
// loaded for itself.
#pragma once

#include <cstdint>

struct Texture;

// Inside the panel's resting area (sides and top excluded, no lower bound),
// wherever its slide-in has brought it.
bool progress_panel_area_hit(float x, float y);

// Sets shown with their first picture; fixed when the panel opens.
extern uint8_t revealed_sets;
// The pictures the panel loaded itself, freed when it closes.
uint8_t panel_tile_texture_count();

// Where the square of set j (1-based) of count sets sits in grid units,
// rows of per_row centred on their own, the grid centred on the origin.
struct GridSpot {
    float x, y;
};
GridSpot progress_grid_spot(int j, int count, int per_row, float padding_x, float padding_y);
