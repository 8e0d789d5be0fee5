// display.cpp - the pixel-scale choice and window-to-logical conversion,
// free of any window so they can be checked directly.
#include "app/display.h"

#include <cmath>

uint8_t choose_pixel_scale(float content_scale_x, float content_scale_y) {
    if (!std::isfinite(content_scale_x) || !std::isfinite(content_scale_y)) return 1;
    return (content_scale_x >= 2.0f && content_scale_y >= 2.0f) ? 2 : 1;
}

float window_to_logical(float position, int window_size, int framebuffer_size, uint8_t scale) {
    float pixels_per_unit =
        window_size > 0 && framebuffer_size > 0 ? (float)framebuffer_size / window_size : 1.0f;
    return position * pixels_per_unit / (scale ? scale : 1);
}
