// panel.h - nine-slice rounded panels (PanelShape): the plates, buttons and
// boxes of every screen, each built once at its size and drawn in a colour.
#pragma once

#include <cstdint>

struct Texture;

enum { MAX_PANEL_SHAPES = 200 };

struct PanelShape {
    float width, height;
    float corner;
    Texture* texture;
    uint32_t vertex_buffers[3];
    uint32_t vertex_arrays[3];
    bool built;
};

// Builds the three bands; "rounded_rect.png" must already be loaded.
void create_panel_shape(PanelShape* shape, float width, float height);
// Colour packed as 0xAABBGGRR (red in the lowest byte).
void draw_panel_shape(const PanelShape* shape, float x, float y, uint32_t color);
// Deletes the shape's GPU objects and takes it off the shape list.
void delete_panel_shape(PanelShape* shape);
void clear_panel_shapes();  // shutdown
int panel_shape_count();
// The 3 bands x 8 strip vertices (x, y, z, u, v) of a panel; f is the
// corner's share of the image (16 / image width).
void panel_shape_vertices(float width, float height, float corner, float f, float out[3][8][5]);

inline uint32_t pack_color(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return (uint32_t)r | ((uint32_t)g << 8) | ((uint32_t)b << 16) | ((uint32_t)a << 24);
}
