// display.cpp - the pixel-scale choice, window-to-logical conversion, the
// start window's size and place and the file that remembers it, free of any
// window so they can be checked directly.
#include "app/display.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

static const char window_place_file[] = "window_place";

uint8_t choose_pixel_scale(float content_scale_x, float content_scale_y) {
    if (!std::isfinite(content_scale_x) || !std::isfinite(content_scale_y)) return 1;
    return (content_scale_x >= 2.0f && content_scale_y >= 2.0f) ? 2 : 1;
}

float window_to_logical(float position, int window_size, int framebuffer_size, float scale) {
    float pixels_per_unit =
        window_size > 0 && framebuffer_size > 0 ? (float)framebuffer_size / window_size : 1.0f;
    return position * pixels_per_unit / (scale > 0.0f ? scale : 1.0f);
}

// No screen is wider or taller than this; a larger report is nonsense.
static const int MAX_SCREEN_SIDE = 32768;

bool work_area_usable(const WorkArea& area) {
    return area.width > 0 && area.height > 0 && area.width <= MAX_SCREEN_SIDE &&
           area.height <= MAX_SCREEN_SIDE && abs(area.x) <= MAX_SCREEN_SIDE &&
           abs(area.y) <= MAX_SCREEN_SIDE;
}

static bool frame_usable(const FrameSize& f) {
    return f.left >= 0 && f.top >= 0 && f.right >= 0 && f.bottom >= 0 && f.left < 1000 &&
           f.top < 1000 && f.right < 1000 && f.bottom < 1000;
}

bool fit_start_window(const WorkArea& area, const FrameSize& frame, int full_width,
                      int full_height, WindowRect* rect) {
    rect->x = rect->y = 0;
    rect->width = full_width;
    rect->height = full_height;
    if (full_width <= 0 || full_height <= 0 || !work_area_usable(area)) return false;
    FrameSize f = frame_usable(frame) ? frame : FrameSize{0, 0, 0, 0};
    int room_w = area.width - f.left - f.right, room_h = area.height - f.top - f.bottom;
    if (room_w <= 0 || room_h <= 0) return false;
    double k = fmin(1.0, fmin((double)room_w / full_width, (double)room_h / full_height));
    if (k < 0.5) k = 0.5;  // the smallest the window may be; the corner then shows
    rect->width = (int32_t)floor(full_width * k + 1e-6);
    rect->height = (int32_t)floor(full_height * k + 1e-6);
    rect->x = area.x + f.left + (room_w > rect->width ? (room_w - rect->width) / 2 : 0);
    rect->y = area.y + f.top + (room_h > rect->height ? (room_h - rect->height) / 2 : 0);
    return true;
}

bool window_fits(const WindowRect& r, const FrameSize& f, const WorkArea& area, int min_width,
                 int min_height) {
    return r.width >= min_width && r.height >= min_height && r.x - f.left >= area.x &&
           r.y - f.top >= area.y &&
           (int64_t)r.x + r.width + f.right <= (int64_t)area.x + area.width &&
           (int64_t)r.y + r.height + f.bottom <= (int64_t)area.y + area.height;
}

// --- The remembered place -----------------------------------------------------

static bool within(long value, long low, long high) {
    return value >= low && value <= high;
}

bool parse_window_place(const char* text, size_t length, WindowPlace* place) {
    if (!text || length == 0 || length > WINDOW_PLACE_MAX_BYTES) return false;
    char line[WINDOW_PLACE_MAX_BYTES + 1];
    memcpy(line, text, length);
    line[length] = '\0';
    if (strlen(line) != length) return false;  // a NUL inside: not ours
    long v[5];
    int used = 0;
    if (sscanf(line, "%ld %ld %ld %ld %ld%n", &v[0], &v[1], &v[2], &v[3], &v[4], &used) != 5)
        return false;
    for (size_t i = (size_t)used; i < length; i++)
        if (line[i] != '\n' && line[i] != '\r' && line[i] != ' ') return false;
    const long m = WINDOW_PLACE_MAX_COORD;
    if (!within(v[0], -m, m) || !within(v[1], -m, m) || !within(v[2], 1, m) ||
        !within(v[3], 1, m) || !within(v[4], 0, 1))
        return false;
    place->rect = WindowRect{(int32_t)v[0], (int32_t)v[1], (int32_t)v[2], (int32_t)v[3]};
    place->fullscreen = v[4] == 1;
    return true;
}

size_t format_window_place(const WindowPlace& p, char* out, size_t capacity) {
    int n = snprintf(out, capacity, "%d %d %d %d %d\n", (int)p.rect.x, (int)p.rect.y,
                     (int)p.rect.width, (int)p.rect.height, p.fullscreen ? 1 : 0);
    return n > 0 && (size_t)n < capacity ? (size_t)n : 0;
}

bool read_window_place(WindowPlace* place) {
    char path[1024];
    if (!writable_path(path, sizeof path, window_place_file)) return false;
    // Size first: the file is never read whole when it is not ours.
    long long size = platform_file_size(path);
    if (size <= 0 || size > WINDOW_PLACE_MAX_BYTES) return false;
    size_t length = 0;
    char* text = read_entire_file(path, &length);
    bool ok = text && parse_window_place(text, length, place);
    free(text);
    return ok;
}

bool write_window_place(const WindowPlace& place) {
    char path[1024], line[WINDOW_PLACE_MAX_BYTES];
    size_t length = format_window_place(place, line, sizeof line);
    if (!length || !writable_path(path, sizeof path, window_place_file)) return false;
    FILE* file = fopen(path, "wb");
    if (!file) return false;
    bool ok = fwrite(line, 1, length, file) == length;
    return fclose(file) == 0 && ok;
}
