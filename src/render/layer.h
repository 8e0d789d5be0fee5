// layer.h - the retained layer: an off-screen picture at the framebuffer's
// size that a screen draws with the ordinary program and primitives, keeps
// while its content stays the same, and copies to the window in one step.
//
// Words: building the layer draws into it (begin_layer_build ..
// end_layer_build); showing it copies it over the bound framebuffer. A
// layer that cannot be made (no framebuffer objects, a zero size) says so
// once and the caller draws directly, as without a layer.
#pragma once

#include <cstdint>

// Binds the layer as the drawing target, made or resized to width x height
// pixels. False (nothing bound) when no layer of that size can be had, and
// for the first frame after start-up, which is drawn directly.
bool begin_layer_build(uint16_t width, uint16_t height);
// Binds the valid layer for drawing again inside one rectangle (pixels,
// from the top left); everything outside it stays. False without a layer.
bool begin_layer_update(int x, int y, int width, int height);
// Back to the framebuffer that was bound before; the layer is then valid.
void end_layer_build();
// Copies the layer over the whole bound framebuffer, exactly, whatever the
// program does: an edited shader is never applied to it twice.
void show_layer();

// Limits drawing on the bound framebuffer (the window, from the top left in
// pixels) to one rectangle, so that part of a frame shown from the layer can
// be drawn again; end_clip draws everywhere again.
void clip_to(int x, int y, int width, int height, int framebuffer_height);
void end_clip();

// A valid layer holds the last built picture at its current size.
bool layer_valid();
// Its content is out of date (a reload, a resize): the next use rebuilds.
void invalidate_layer();
// Frees its GPU objects (shutdown, or a context going away).
void release_layer();

// Off for drawing everything directly (tests comparing the two paths).
extern bool layer_enabled;
// Builds since start-up, for the benchmarks and tests.
extern uint32_t layer_build_count;
