// shell.h - the application shell: window and context, the loading screen,
// start-up of every subsystem, the main loop and the ordered shutdown.
//
// The shell's state is one struct owned by shell.cpp. Others read the
// window and frame_delta; only the input callbacks set quit_requested.
#pragma once

#include <cstdint>

#include "app/display.h"

struct GLFWwindow;

// What the shell shares: the window and the frame's timing.
struct Shell {
    GLFWwindow* window;
    bool quit_requested;      // the quit key: ends the loop after this frame
    double frame_start_time;  // seconds since start-up, at this frame's start
    // Seconds since the previous frame, at most 1/30 while frames are drawn
    // one after the other; the whole time waited after a pass that drew
    // nothing.
    float frame_delta;
    double frame_work_time;    // this frame's work, without the buffer swap
    uint16_t fps_counter;      // frames drawn since the last title update
    WindowRect windowed_rect;  // where the window was before going full screen
};
extern Shell shell;
extern const float min_frame_time;  // 0.005 s: a drawn frame, swap included, sleeps the rest

// The whole program: start-up, loop, shutdown. Returns the exit status.
int game_main();

// Window, context, loader, callbacks, shader program, viewport. False (after
// saying why on stderr and releasing what was made) when one step fails.
bool init_window();
// Loads "loading_font" and the "LOADING" label and draws them into the back
// buffer; init_game releases both.
void draw_loading_screen();
void init_game();
void run_frame();  // one frame, always drawn, without the buffer swap
// The next pass draws a frame: input, a reload or a window event changed
// something on screen (the window callbacks call it).
void request_frame();
// Before input that arrives while the loop waits: runs the update over the
// time waited, so the input lands on clocks that are up to date.
void catch_up_idle_time();
void shutdown_game();
// Saves the progress now, as shutdown does: also when the window is
// minimised or the page hidden, which a closed tab or a killed game may
// never come back from.
void keep_progress();
// What shutdown_game frees, without saving or closing the window: every
// pool, the config registry, the audio (output, lock, samples) and the
// shader program. For tests and benchmarks that run the game in a window
// of their own.
void release_game();

// Registers every screen's configuration keys and reload callbacks, in the
// order their lookup depends on (settings_registry.cpp).
void register_all_settings();
