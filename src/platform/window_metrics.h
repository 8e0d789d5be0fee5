// window_metrics.h - the window's size in logical pixels and its pixel
// scale, which layout, panels and drawing all read.
#pragma once

#include <cstdint>

// Kept by render's resize_viewport. pixel_scale is 1, or 2 on a high-DPI
// screen (chosen once at start-up); logical = framebuffer / scale.
extern uint8_t pixel_scale;
extern uint16_t logical_width;
extern uint16_t logical_height;
