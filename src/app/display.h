// display.h - how the window's pixels relate to the game's logical pixels,
// and where the window goes on the screen.
//
// The game is laid out in logical pixels (540 x 960 in a window). On a
// screen whose content scale is 2 or more it draws at pixel_scale 2: the
// framebuffer has twice as many pixels each way, and text and pictures come
// from double-size atlases and images. A window smaller than 540 x 960
// logical pixels shows the whole picture shrunk (the view scale of
// platform/window_metrics.h). Pointer positions arrive in window
// coordinates, which some systems give in framebuffer pixels and others in
// logical points; window_to_logical turns either into logical pixels.
//
// Window coordinates are the window library's screen coordinates: the work
// area (the monitor less task bars), the frame around the client area and
// the window's place are all given in them.
#pragma once

#include <cstddef>
#include <cstdint>

struct WindowRect {
    int32_t x, y, width, height;  // the client area
};
struct WorkArea {
    int x, y, width, height;
};
struct FrameSize {
    int left, top, right, bottom;  // title bar and borders around the client area
};

// 2 when both axes of the monitor's content scale are at least 2, else 1;
// a scale the window library could not report (0, negative, not finite)
// is 1.
uint8_t choose_pixel_scale(float content_scale_x, float content_scale_y);

// One axis of a window-coordinate position in logical pixels, given that
// axis's window size, framebuffer size and the framebuffer pixels per
// logical pixel as drawn (pixel scale x view scale).
float window_to_logical(float position, int window_size, int framebuffer_size, float scale);

// A work area can be trusted: positive, no larger than any real screen.
bool work_area_usable(const WorkArea& area);

// The start window: the largest of full_width x full_height's shape (the
// 540 x 960 window at the pixel scale, in window coordinates) that fits the
// work area with its frame, never larger than full and never smaller than
// half of it each way, centred in the work area. False, with the full size
// in *rect and its place left alone, when the work area cannot be trusted.
bool fit_start_window(const WorkArea& area, const FrameSize& frame, int full_width,
                      int full_height, WindowRect* rect);

// The window with its frame lies wholly inside the work area and is at
// least min_width x min_height.
bool window_fits(const WindowRect& rect, const FrameSize& frame, const WorkArea& area,
                 int min_width, int min_height);

// The window's last place, kept in the small file "window_place" beside
// "autosave": one line "x y width height fullscreen".
struct WindowPlace {
    WindowRect rect;  // windowed, also while full screen
    bool fullscreen;
};
enum { WINDOW_PLACE_MAX_BYTES = 64, WINDOW_PLACE_MAX_COORD = 100000 };
// False for anything but one such line within the bounds (no more than 64
// bytes; coordinates within +-100000, sizes 1..100000, fullscreen 0 or 1).
bool parse_window_place(const char* text, size_t length, WindowPlace* place);
// The line for place; its length, or 0 when it does not fit.
size_t format_window_place(const WindowPlace& place, char* out, size_t capacity);
// From and to the writable folder; a missing or damaged file reads false.
bool read_window_place(WindowPlace* place);
bool write_window_place(const WindowPlace& place);
