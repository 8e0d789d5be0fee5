// gl_context.h - a real OpenGL 3.3 core context for tests, in a window of
// its own (hidden by default), with a throw-away working directory that
// holds a copy of the game's shaders. Needs DISPLAY (Xvfb in CI).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GLFWwindow;

// A fresh directory under the system temp directory that becomes the
// working directory until leave_temp_work_dir, which also removes it.
struct TempWorkDir {
    std::string path;
    std::string previous;
};
bool enter_temp_work_dir(TempWorkDir* dir, const char* tag);
void leave_temp_work_dir(TempWorkDir* dir);

struct GlTestContext {
    GLFWwindow* window;
    int width, height;  // framebuffer size in pixels
    TempWorkDir dir;
};

// Opens the window, makes its context current, loads the GL entry points,
// enters a temp working directory and copies shaders_desktop/ into it from
// the source tree. False (with a message) when any step fails.
bool create_gl_test_context(GlTestContext* context, int width, int height, bool visible = false);
void destroy_gl_test_context(GlTestContext* context);

// The drawing state the game keeps from start-up, over a fresh matrix
// stack: its shader program, the viewport, alpha blending, no depth test or
// culling, texture unit 0. False (with a message) when the program does not
// build.
bool start_game_drawing(int width, int height);

// Links the built item (fonts, images, sounds, level_seed_offsets) of the
// run directory into the working directory. False (with a message) when it
// is missing or cannot be linked.
bool link_from_run_dir(const char* item);

struct Rgba {
    uint8_t r, g, b, a;
};

// Pixel at (x, y) with y counted from the top, as the game's coordinates.
Rgba read_pixel(int x, int y);
// The whole framebuffer, rows from the top, 4 bytes a pixel.
std::vector<uint8_t> read_framebuffer(int width, int height);

// Copies a file from the system or source tree into the working directory.
bool copy_file_to(const std::string& from, const std::string& to);
