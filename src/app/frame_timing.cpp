// frame_timing.cpp - frame-delta clamp, pacing sleep, fps count and check
// intervals.
#include "app/frame_timing.h"

#include <cstdio>

float clamp_frame_delta(double seconds) {
    float delta = (float)seconds;
    // A stall (dragged window, breakpoint) must not make animations jump.
    return delta > max_frame_delta ? max_frame_delta : delta;
}

int64_t frame_sleep_us(double work_time, float min_time) {
    if (!(work_time < (double)min_time)) return 0;
    return (int64_t)(((double)min_time - work_time) * 1000000.0);
}

bool count_frame(double now, double* last_title_time, uint16_t* counter, int* fps,
                 bool drawn) {
    if (drawn) *counter += 1;
    if (now - *last_title_time < 1.0) return false;
    *fps = *counter;
    *last_title_time = now;
    *counter = 0;
    return true;
}

void format_fps_title(char* out, size_t capacity, const char* title, int fps) {
    snprintf(out, capacity, "%s (fps: %d)", title, fps);
}

bool file_check_due(double now, double* last_checked) {
    if (now - *last_checked <= 0.5) return false;
    *last_checked = now;
    return true;
}
