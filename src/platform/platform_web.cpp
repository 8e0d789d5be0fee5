// platform_web.cpp - the platform verbs in a web browser (emscripten).
//
// The page drives the loop through animation frames; while nothing needs
// drawing the loop is paused and a timer or input resumes it, so a page at
// rest costs nothing (a hidden tab gets no animation frames at all). The
// packed data sits in memory at "/"; only "/save", mounted on the page's
// IndexedDB before main starts (platform_web.js), outlives the page, and it
// is copied there after every replaced file. Single-threaded: the lock is
// empty. Built only by the web build.
#if defined(__EMSCRIPTEN__)

#include "platform/platform.h"
#include "platform/window_metrics.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

static const char save_dir[] = "/save";

static struct {
    double origin;
    bool (*pass)();
    bool resting;
    long wake_timer;  // 0, or the timeout that ends the rest
} web;

void platform_start_clock() {
    web.origin = emscripten_get_now();
}

double platform_now() {
    return (emscripten_get_now() - web.origin) * 1e-3;
}

void platform_sleep_us(int64_t) {}

bool platform_executable_dir(char* out, size_t capacity) {
    return snprintf(out, capacity, "/") == 1;
}

bool platform_change_dir(const char* dir) {
    return chdir(dir) == 0;
}

int64_t platform_file_mtime(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 ? (int64_t)st.st_mtime : 0;
}

int64_t platform_file_size(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 ? (int64_t)st.st_size : -1;
}

int64_t platform_calendar_time() {
    return (int64_t)time(nullptr);
}

bool platform_make_dir(const char* path) {
    if (mkdir(path, 0755) == 0) return true;
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool platform_sync_file(FILE* file) {
    return fflush(file) == 0;
}

// Storage that is unavailable (private mode, full) only fails the copy:
// the game plays on and says nothing, as with a read-only folder.
bool platform_replace_file(const char* src, const char* dst) {
    if (rename(src, dst) != 0) return false;
    EM_ASM(FS.syncfs(false, function() {}));
    return true;
}

// The packed data is gone at the next page load: only the saved folder
// counts as writable.
bool platform_dir_writable(const char* dir) {
    return strcmp(dir, save_dir) == 0;
}

bool platform_user_data_dir(char* out, size_t capacity) {
    int n = snprintf(out, capacity, "%s", save_dir);
    return n >= 0 && (size_t)n < capacity;
}

unsigned platform_window_dpi(void*) {
    return (unsigned)(emscripten_get_device_pixel_ratio() * 96.0 + 0.5);
}

static void run_pass() {
    if (!web.pass()) emscripten_cancel_main_loop();
}

void platform_run_loop(bool (*pass)()) {
    web.pass = pass;
    emscripten_set_main_loop(run_pass, 0, 1);  // unwinds: main never returns
}

static void end_rest(void*) {
    web.wake_timer = 0;
    platform_wake_loop();
}

bool platform_rest_loop(double seconds) {
    emscripten_pause_main_loop();
    web.resting = true;
    if (web.wake_timer) emscripten_clear_timeout(web.wake_timer);
    web.wake_timer = emscripten_set_timeout(end_rest, seconds * 1000.0, nullptr);
    return true;
}

void platform_wake_loop() {
    if (!web.resting) return;
    web.resting = false;
    emscripten_resume_main_loop();
}

// The page's size in page pixels times the pixel scale; the window
// library's resize listener passes it on as a framebuffer size.
static void fit_canvas() {
    EM_ASM({ Module.setCanvasSize(Math.round(innerWidth * $0), Math.round(innerHeight * $0)); },
           pixel_scale);
}

static EM_BOOL on_page_resize(int, const EmscriptenUiEvent*, void*) {
    fit_canvas();
    platform_wake_loop();
    return EM_FALSE;
}

bool platform_fill_page() {
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE,
                                   on_page_resize);
    fit_canvas();
    return true;
}

bool platform_toggle_page_full_screen() {
    EM_ASM({
        if (document.fullscreenElement) document.exitFullscreen();
        else document.documentElement.requestFullscreen().catch(function() {});
    });
    return true;
}

bool platform_can_quit() {
    return false;
}

const char* platform_shader_prologue() {
    return "#version 300 es\nprecision highp float;\n";
}

void platform_mutex_init(PlatformMutex*) {}
void platform_mutex_lock(PlatformMutex*) {}
void platform_mutex_unlock(PlatformMutex*) {}
void platform_mutex_destroy(PlatformMutex*) {}

#endif
