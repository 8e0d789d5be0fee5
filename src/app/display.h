// display.h - how the window's pixels relate to the game's logical pixels.
//
// The game is laid out in logical pixels (540 x 960 in a window). On a
// screen whose content scale is 2 or more it draws at pixel_scale 2: the
// framebuffer has twice as many pixels each way, and text and pictures come
// from double-size atlases and images. Pointer positions arrive in window
// coordinates, which some systems give in framebuffer pixels and others in
// logical points; window_to_logical turns either into logical pixels.
#pragma once

#include <cstdint>

// 2 when both axes of the monitor's content scale are at least 2, else 1;
// a scale the window library could not report (0, negative, not finite)
// is 1.
uint8_t choose_pixel_scale(float content_scale_x, float content_scale_y);

// One axis of a window-coordinate position in logical pixels, given that
// axis's window size, framebuffer size and the pixel scale.
float window_to_logical(float position, int window_size, int framebuffer_size, uint8_t scale);
