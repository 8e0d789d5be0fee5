// primitives.h - filled and outlined rectangles and a texture centred on a
// point, in logical pixels relative to the current model matrix.
#pragma once

#include <cstdint>

struct Texture;

void draw_rect(float x, float y, float width, float height, uint8_t r, uint8_t g, uint8_t b,
               uint8_t alpha);
void draw_rect_outline(float x, float y, float width, float height, float thickness, uint8_t r,
                       uint8_t g, uint8_t b, uint8_t alpha);
void draw_texture_centered(const Texture* texture, float x, float y);
