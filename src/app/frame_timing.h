// frame_timing.h - the arithmetic of the main loop, kept apart from the
// window so it can be checked on its own: the frame-delta clamp, the pacing
// sleep, the once-a-second frame counter and the twice-a-second file checks.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest frame_delta handed to the animations: 1/30 s as a float.
constexpr float max_frame_delta = 1.0f / 30.0f;

// Seconds between two frame starts as the frame update sees them.
float clamp_frame_delta(double seconds);

// Whole microseconds to sleep after a frame that worked work_time seconds:
// the rest of min_time, truncated; 0 once the work reached min_time.
int64_t frame_sleep_us(double work_time, float min_time);

// Counts one frame started at now (unless it was not drawn). Once at least
// a second has passed since *last_title_time, returns true with the count
// in *fps and starts over.
bool count_frame(double now, double* last_title_time, uint16_t* counter, int* fps,
                 bool drawn = true);

// "game (fps: 60)".
void format_fps_title(char* out, size_t capacity, const char* title, int fps);

// True (and remembers now) when more than half a second has passed since
// *last_checked: each data-file check runs at most twice a second.
bool file_check_due(double now, double* last_checked);
