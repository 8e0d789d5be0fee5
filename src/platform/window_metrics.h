// window_metrics.h - the window's size in logical pixels, its pixel scale
// and the view scale that shrinks the whole picture on a small window.
//
// Words: a framebuffer pixel is what the GPU draws; pixel_scale (1, or 2 on
// a high-DPI screen) is framebuffer pixels per logical pixel at full size;
// the view scale f shrinks the whole picture, one factor both ways, when the
// framebuffer divided by pixel_scale is less than 540 x 960, so the layout
// always has at least 540 x 960 logical pixels and nothing is cut off. Every
// platform (desktop window, web canvas) feeds its framebuffer size through
// fit_view, by render's resize_viewport.
#pragma once

#include <cstdint>

// Kept by render's resize_viewport. pixel_scale is chosen once at start-up;
// logical = framebuffer / (pixel_scale x view_scale).
extern uint8_t pixel_scale;
extern uint16_t logical_width;
extern uint16_t logical_height;
extern float view_scale;  // f: 1 on a window of 540 x 960 logical pixels or more
extern uint16_t framebuffer_width, framebuffer_height;
// The smallest layout, 540 x 960; 0 x 0 turns the view scale off (tests of
// the primitives draw into small windows at 1:1).
extern uint16_t min_view_width, min_view_height;

struct ViewFit {
    float scale;  // f, in (0, 1]
    uint16_t width, height;  // logical size
};

// The view for a framebuffer of width x height pixels: f = min(w /
// min_width, h / min_height) after dividing by the pixel scale, at most 1;
// the logical size is the framebuffer over pixel_scale x f, at least
// min_width x min_height. A zero size gives scale 0 (nothing to draw).
ViewFit fit_view(int width, int height, uint8_t scale, int min_width, int min_height);

// Fits the view to a framebuffer of width x height pixels and keeps the
// result; false (and nothing changes) for a minimised, 0 x 0 one.
bool fit_window(uint16_t width, uint16_t height);
void set_pixel_scale(uint8_t scale);

// Framebuffer pixels per logical pixel as drawn: pixel_scale x view_scale.
float drawn_pixel_scale();

// The scale fonts are rasterised at for a drawn scale: the drawn scale
// itself rounded up to a twentieth, so a window dragged smaller bakes a
// handful of atlas sizes rather than one per pixel.
float font_raster_scale(float drawn);
