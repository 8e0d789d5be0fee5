// shell.cpp - start-up, the main loop and shutdown.
//
// Everything runs on the main thread in a fixed order: window and context,
// a loading screen, every subsystem behind it, then one pass per loop
// iteration (events, file checks, update) until the close button or Q, and
// finally an ordered release of everything. A pass draws, swaps and sleeps
// out the rest of 5 ms only when something shown can have changed; else it
// waits for events until the next file check or clock second is due.
#include "app/shell.h"

#include <glad/gl.h>

#include "app/display.h"
#include "app/frame_timing.h"
#include "app/input.h"
#include "audio/output.h"
#include "audio/sounds.h"
#include "board/board.h"
#include "board/progress.h"
#include "board/random.h"
#include "config/config.h"
#include "platform/platform.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/layer.h"
#include "render/matrix.h"
#include "render/panel.h"
#include "render/shader.h"
#include "render/texture.h"
#include "screen/game_screen.h"
#include "tween/tween.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdio>

static const char window_title[] = "game";
enum { WINDOW_WIDTH = 540, WINDOW_HEIGHT = 960 };

Shell shell;
const float min_frame_time = 0.005f;

// The loop's own bookkeeping, read by nobody else.
static struct {
    double previous_frame_start;
    double last_title_time;
    double shaders_checked, images_checked, sounds_checked, config_checked;
    TextLabel loading_label;
    bool game_loaded;  // the data made a playable game; only then is progress saved
    // Input, a reload or a window event since the last drawn frame.
    bool frame_wanted;
    // The previous pass drew: its animations go on, so the next delta is
    // clamped. After a pass that drew nothing, the whole time since counts.
    bool drew_last;
    int fps_shown;
    double pass_start;  // before this pass's events
    float fonts_raster;  // the scale the fonts were last rasterised at
} loop;

void request_frame() {
    loop.frame_wanted = true;
    platform_wake_loop();
}

// Time spent waiting with nothing moving still runs the clocks; input that
// arrives after such a wait first spends it, so an animation it starts
// begins at the press instead of jumping by the wait.
void catch_up_idle_time() {
    if (loop.drew_last) return;
    double now = platform_now();
    shell.frame_delta = (float)(now - loop.previous_frame_start);
    loop.previous_frame_start = now;
    update_game_screen(shell.frame_delta);
}

// --- Steps owned by other subsystems ---------------------------------------

static void seed_shared_random_from_clock() {
    seed_random(&shared_random, (uint32_t)platform_calendar_time());
}

// The lock exists before the output thread can call the mixer. Without a
// device the game simply stays silent.
static void start_audio() {
    init_audio_lock();
    start_audio_output();
}

// The level, settings and board being played are kept for the next start.
// Level 0 means no progress was ever loaded: there is nothing to keep.
static void save_progress_step() {
    if (level != 0 && !save_progress()) fprintf(stderr, "game: the progress could not be saved\n");
}

// The output thread is joined before its lock and the samples go away.
static void stop_audio() {
    stop_audio_output();
    destroy_audio_lock();
    free_all_sounds();
}

// --- Start-up -----------------------------------------------------------------

static void report_window_error(int code, const char* description) {
    fprintf(stderr, "game: window library error %d: %s\n", code, description);
}

// Every data path is relative to the executable's directory; what the game
// writes goes there too unless it is read-only.
static void enter_executable_dir() {
    char dir[1024];
    if (!platform_executable_dir(dir, sizeof dir) || !platform_change_dir(dir))
        fprintf(stderr, "game: cannot enter the executable's directory; data is read from here\n");
    choose_writable_dir(".");
}

// Scale 2 reads its tile counts from images_x2 only; without them the game
// would refuse to start, so it draws at scale 1 from images instead.
static bool double_size_tiles_present() {
    load_tile_set_counts("images_x2");
    char why[256];
    bool usable = tile_sets_usable(why, sizeof why);
    if (!usable) fprintf(stderr, "game: %s; drawing at pixel scale 1\n", why);
    return usable;
}

#if defined(_WIN32)
// The window library's accessor, declared as its header does but without
// the <windows.h> that header pulls in.
extern "C" struct HWND__* glfwGetWin32Window(GLFWwindow* window);
#endif

// Windows gives the window's own DPI (96 is scale 1), a browser its device
// pixel ratio; elsewhere the content scale of the monitor the (still
// hidden) window opened on.
static uint8_t pick_pixel_scale() {
    float x = 0, y = 0;
#if defined(_WIN32)
    x = y = (float)platform_window_dpi(glfwGetWin32Window(shell.window)) / 96.0f;
#else
    x = y = (float)platform_window_dpi(nullptr) / 96.0f;
#endif
    if (x == 0) glfwGetWindowContentScale(shell.window, &x, &y);
    set_pixel_scale(choose_pixel_scale(x, y));  // the check's message names its directory
    if (pixel_scale == 2 && !double_size_tiles_present()) set_pixel_scale(1);
    return pixel_scale;
}

// Window coordinates per framebuffer pixel: 1 where the system counts
// pixels, less where it counts points.
static double window_units_per_pixel() {
    int window_w = 0, window_h = 0, buffer_w = 0, buffer_h = 0;
    glfwGetWindowSize(shell.window, &window_w, &window_h);
    glfwGetFramebufferSize(shell.window, &buffer_w, &buffer_h);
    if (window_w <= 0 || buffer_w <= 0) return 1.0;
    return (double)window_w / buffer_w;
}

static WorkArea primary_work_area() {
    WorkArea area = {0, 0, 0, 0};
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (monitor) glfwGetMonitorWorkarea(monitor, &area.x, &area.y, &area.width, &area.height);
    return area;
}

static FrameSize window_frame() {
    FrameSize frame = {0, 0, 0, 0};
    glfwGetWindowFrameSize(shell.window, &frame.left, &frame.top, &frame.right, &frame.bottom);
    return frame;
}

// The largest 540 x 960 window (at the pixel scale) that fits the work area,
// or the remembered place when it still fits there; it may be made as small
// as a quarter of the full window. True when the remembered place asks for
// full screen.
static bool place_window(uint8_t scale) {
    double units = window_units_per_pixel();
    int full_w = (int)lround(scale * WINDOW_WIDTH * units);
    int full_h = (int)lround(scale * WINDOW_HEIGHT * units);
    glfwSetWindowSizeLimits(shell.window, full_w / 2, full_h / 2, GLFW_DONT_CARE,
                            GLFW_DONT_CARE);
    WorkArea area = primary_work_area();
    FrameSize frame = window_frame();
    WindowRect rect;
    bool placed = fit_start_window(area, frame, full_w, full_h, &rect);
    WindowPlace saved;
    bool remembered = placed && read_window_place(&saved) &&
                      window_fits(saved.rect, frame, area, full_w / 2, full_h / 2);
    if (remembered) rect = saved.rect;
    glfwSetWindowSize(shell.window, rect.width, rect.height);
    if (placed) {
        WindowRect now = rect;
        glfwGetWindowPos(shell.window, &now.x, &now.y);
        // Where the system put it is kept unless it hangs off the work area.
        if (remembered || !window_fits(now, frame, area, 1, 1))
            glfwSetWindowPos(shell.window, rect.x, rect.y);
    }
    shell.windowed_rect = rect;
    return remembered && saved.fullscreen;
}

static void remember_window_place() {
    // Minimised, the system reports a place far off screen.
    if (!shell.window || glfwGetWindowAttrib(shell.window, GLFW_ICONIFIED)) return;
    WindowPlace place = {shell.windowed_rect, glfwGetWindowMonitor(shell.window) != nullptr};
    if (!place.fullscreen) {
        glfwGetWindowPos(shell.window, &place.rect.x, &place.rect.y);
        glfwGetWindowSize(shell.window, &place.rect.width, &place.rect.height);
    }
    if (place.rect.width > 0 && place.rect.height > 0 && !write_window_place(place))
        fprintf(stderr, "game: the window's place could not be kept\n");
}

bool init_window() {
    platform_start_clock();
    enter_executable_dir();

    glfwSetErrorCallback(report_window_error);
    if (!glfwInit()) {
        fprintf(stderr, "game: the window library could not start\n");
        return false;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    // Shown once it has the size its pixel scale and the screen ask for.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    shell.window = glfwCreateWindow(WINDOW_WIDTH, WINDOW_HEIGHT, window_title, nullptr, nullptr);
    if (!shell.window) {
        fprintf(stderr, "game: cannot open a %dx%d window with an OpenGL 3.3 core context\n",
                WINDOW_WIDTH, WINDOW_HEIGHT);
        glfwTerminate();
        return false;
    }
    set_pixel_scale(pick_pixel_scale());
    // A browser's page decides the canvas's size; a desktop window is placed.
    bool fullscreen = !platform_fill_page() && place_window(pixel_scale);
    glfwShowWindow(shell.window);
    if (fullscreen) toggle_fullscreen();
    glfwMakeContextCurrent(shell.window);
    if (!gladLoadGL(glfwGetProcAddress)) {
        fprintf(stderr, "game: cannot load the OpenGL 3.3 entry points\n");
        glfwDestroyWindow(shell.window);
        shell.window = nullptr;
        glfwTerminate();
        return false;
    }
    install_window_callbacks(shell.window);
    load_shaders();
    int width = 0, height = 0;
    glfwGetFramebufferSize(shell.window, &width, &height);
    resize_viewport((uint16_t)width, (uint16_t)height);
    load_identity_matrix();

    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glClearColor(254 / 255.0f, 235 / 255.0f, 193 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return true;
}

void draw_loading_screen() {
    load_font("loading_font", "PoetsenOne-Regular.ttf", 32);
    init_label(&loop.loading_label, "loading_font");
    set_label_text(&loop.loading_label, "LOADING");
    glClear(GL_COLOR_BUFFER_BIT);
    push_matrix();
    translate_matrix((float)(logical_width / 2), (float)(logical_height / 2));
    draw_label(&loop.loading_label, 0, 0, 61, 37, 1, 128);
    pop_matrix();
}

static void release_loading_screen() {
    release_label(&loop.loading_label);
    remove_font("loading_font");
}

// The scale fonts are rasterised at for the view as it is now.
static float wanted_font_raster() {
    return fminf(font_raster_scale(drawn_pixel_scale()), (float)pixel_scale);
}

void init_game() {
    release_loading_screen();
    seed_shared_random_from_clock();
    start_audio();
    register_all_settings();
    load_config();
    loop.fonts_raster = wanted_font_raster();
    loop.game_loaded = load_game_assets();

    double now = platform_now();
    loop.previous_frame_start = now;
    loop.drew_last = true;
    loop.frame_wanted = true;
    loop.fps_shown = -1;
    shell.fps_counter = 0;
    loop.last_title_time = now;
    loop.shaders_checked = now;
    loop.images_checked = now;
    loop.sounds_checked = now;
    loop.config_checked = now;
}

// --- One frame ----------------------------------------------------------------

static void show_fps_in_title(double now) {
    int fps = 0;
    if (!count_frame(now, &loop.last_title_time, &shell.fps_counter, &fps, false)) return;
    if (fps == loop.fps_shown) return;
    loop.fps_shown = fps;
    char title[64];
    format_fps_title(title, sizeof title, window_title, fps);
    glfwSetWindowTitle(shell.window, title);
}

// Every reload can change what the layer holds, and the picture.
static void check_files(double now) {
    bool changed = false;
    if (file_check_due(now, &loop.shaders_checked)) changed |= reload_changed_shaders();
    if (file_check_due(now, &loop.images_checked)) changed |= reload_changed_images();
    if (file_check_due(now, &loop.sounds_checked)) reload_changed_sounds();
    if (file_check_due(now, &loop.config_checked)) changed |= reload_changed_config();
    if (!changed) return;
    invalidate_layer();
    request_frame();
}

// Text is rasterised for the size it is drawn at: a window resized to
// another view scale has its fonts, labels and shapes made again.
static void follow_view_scale() {
    float raster = wanted_font_raster();
    if (raster == loop.fonts_raster) return;
    loop.fonts_raster = raster;
    run_reload_callbacks();
    invalidate_layer();
    request_frame();
}

// Events, file checks and the update; true when the frame should be drawn.
static bool advance_frame() {
    double began = platform_now();
    loop.pass_start = began;
    glfwPollEvents();  // the input callbacks run in here
    shell.frame_start_time = platform_now();
    double elapsed = shell.frame_start_time - loop.previous_frame_start;
    shell.frame_delta = loop.drew_last ? clamp_frame_delta(elapsed) : (float)elapsed;
    loop.previous_frame_start = shell.frame_start_time;

    check_files(shell.frame_start_time);
    follow_view_scale();
    // What runs now moves in this update: its last step is drawn too.
    bool animating = game_screen_animating();
    update_game_screen(shell.frame_delta);
    shell.frame_work_time = platform_now() - began;
    return loop.frame_wanted || animating || game_screen_changed();
}

static void draw_frame() {
    double began = platform_now();
    glClear(GL_COLOR_BUFFER_BIT);
    draw_game_screen();
    loop.frame_wanted = false;
    shell.fps_counter++;
    show_fps_in_title(began);
    shell.frame_work_time += platform_now() - began;
}

void run_frame() {
    advance_frame();
    draw_frame();
}

static bool window_hidden() {
    if (glfwGetWindowAttrib(shell.window, GLFW_ICONIFIED)) return true;
    int width = 0, height = 0;
    glfwGetFramebufferSize(shell.window, &width, &height);
    return width == 0 || height == 0;
}

// Until the next file check, clock second or title update is due.
static double seconds_until_due(double now) {
    double due = loop.shaders_checked;
    const double checked[3] = {loop.images_checked, loop.sounds_checked, loop.config_checked};
    for (double t : checked)
        if (t < due) due = t;
    // A check runs once more than half a second has passed.
    double wait = due + 0.5 + 0.001 - now;
    float clock = seconds_to_next_clock_second();
    if (clock >= 0 && clock + 0.001 < wait) wait = clock + 0.001;
    double title = loop.last_title_time + 1.0 - now;
    if (title < wait) wait = title;
    return wait > 0 ? wait : 0;
}

// --- Shutdown -----------------------------------------------------------------

void release_game() {
    release_layer();
    clear_tweens();
    clear_panel_shapes();
    clear_labels();
    clear_fonts();
    clear_textures();
    clear_config_registry();
    stop_audio();
    delete_shaders();
}

void keep_progress() {
    // A game that never loaded its progress must not write over it.
    if (loop.game_loaded) save_progress_step();
}

void shutdown_game() {
    keep_progress();
    remember_window_place();
    release_game();
    glfwTerminate();
    shell.window = nullptr;
}

// One iteration of the main loop; false once it is to end. Minimised,
// nothing is drawn; the frame waits until shown again.
static bool loop_pass() {
    if (shell.quit_requested || glfwWindowShouldClose(shell.window)) return false;
    bool draw = advance_frame() && !window_hidden();
    if (draw) {
        draw_frame();
        glfwSwapBuffers(shell.window);
        // The swap is where a software renderer does most of the frame:
        // a frame starts at most every 5 ms, the swap included.
        platform_sleep_us(frame_sleep_us(platform_now() - loop.pass_start, min_frame_time));
    } else {
        // A browser closes its tab without a word, and storage written while
        // the page goes may be lost: there the progress is kept whenever the
        // game comes to rest.
        if (loop.drew_last && !platform_can_quit()) keep_progress();
        show_fps_in_title(platform_now());
        double wait = seconds_until_due(platform_now());
        if (!platform_rest_loop(wait)) glfwWaitEventsTimeout(wait);
    }
    loop.drew_last = draw;
    return true;
}

int game_main() {
    if (!init_window()) return 1;
    glfwSwapBuffers(shell.window);  // the clear colour at once

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_loading_screen();
    glfwSwapBuffers(shell.window);

    init_game();
    if (!loop.game_loaded) {
        shutdown_game();
        return 1;
    }
    glfwSwapBuffers(shell.window);

    platform_run_loop(loop_pass);
    shutdown_game();
    return 0;
}
