// game_screen.h - the game screen as the shell sees it: asset loading at
// start-up, the reload callback run after a live config re-read, and the
// per-frame update and drawing; plus the shapes and labels the drawing
// owns and the geometry of the connecting line.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config.h"
#include "render/font.h"
#include "render/panel.h"

// Start-up: fonts, labels, shapes, sounds, tile sets, saved progress, level.
// False (after saying why on stderr) when the data cannot make a playable
// game: no tile set, or a set without pictures.
bool load_game_assets();
// Run after every live re-read of config.txt (never on the first read).
void reload_game_screen();
// Advances tweens, clocks and events by dt seconds (the shell's frame time).
void update_game_screen(float dt);
// Draws the whole screen; the colour buffer is already cleared.
void draw_game_screen();
// The picture changes by itself: a tween runs or the timer flashes.
bool game_screen_animating();
// Something shown differs from the last drawn frame without any input: an
// animation, or the clock's second.
bool game_screen_changed();
// Seconds until the running clock shows its next second; negative while no
// clock runs.
float seconds_to_next_clock_second();

// Shapes and labels of the game screen itself (the header labels whose
// texts follow the level are in screen/labels.h).
extern PanelShape tile_face;          // one cell, 80 x 80 layout units
extern PanelShape grid_background;    // behind the grid while no move is left
extern PanelShape menu_button_shape;  // menu_button_size
extern TextLabel menu_button_label;   // "="
extern TextLabel no_moves_label1, no_moves_label2;

// Size of the no-moves plate: the inner grid (frame excluded) plus margin on
// every side, for a board of width x height cells with padding between.
Vec2 grid_background_size(uint8_t width, uint8_t height, float padding, float margin);

// Alpha of the timer label: it flashes towards full opacity while highlight
// (seconds left of the flash) is above 0 and fades back quadratically.
uint8_t timer_label_alpha(uint8_t alpha, float highlight, float duration);

// One drawn piece of a connecting line, in layout units.
struct LineRect {
    float x, y, width, height;
};
// The rectangles of a line through count points (at most 4) with
// half-thickness h. Each segment is ordered to start at its smaller end;
// vertical segments run h past both ends and horizontal ones stop h short,
// so a corner is covered once, by the vertical piece. Returns the number of
// rectangles (count - 1, or 0).
int line_segment_rects(const Vec2* points, int count, float h, LineRect* out);
