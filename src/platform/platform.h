// platform.h - the few things the game asks of the operating system.
//
// Everything that differs between Windows and POSIX sits behind these verbs:
// the program clock, sleeping, the executable's directory, file times, the
// calendar time, one mutex type and a few file helpers, where the game
// may write its own files, and who drives the main loop. platform_posix.cpp
// implements them for Linux and the BSDs, platform_win32.cpp for Windows,
// platform_web.cpp for a browser (the build picks one).
// Nothing outside this folder includes an OS header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#if defined(_WIN32)
// Same size and alignment as CRITICAL_SECTION on 64-bit Windows, so that
// callers need not include <windows.h>.
struct PlatformMutex {
    alignas(8) unsigned char storage[40];
};
#else
#include <pthread.h>
struct PlatformMutex {
    pthread_mutex_t handle;
};
#endif

// Program clock. platform_start_clock is called once, first thing at
// start-up; platform_now returns seconds since then.
void platform_start_clock();
double platform_now();

// Blocks the calling thread for the given number of whole microseconds.
// Non-positive values return at once. In a browser it always returns at
// once: the page's animation frames pace the loop there.
void platform_sleep_us(int64_t microseconds);

// Writes the directory that holds the running executable (no trailing
// separator) into out. Returns false when the path does not fit or cannot
// be found.
bool platform_executable_dir(char* out, size_t capacity);
bool platform_change_dir(const char* dir);

// Modification time of a file in whole seconds, or 0 when it cannot be
// examined. Every live reload compares these values.
int64_t platform_file_mtime(const char* path);
// Length of a file in bytes, or -1 when it cannot be examined.
int64_t platform_file_size(const char* path);

// Seconds since the epoch; seeds the shared random generator.
int64_t platform_calendar_time();

// Creates a directory; true when it exists afterwards.
bool platform_make_dir(const char* path);

// Flushes a written file down to the disk before it is renamed into place.
bool platform_sync_file(FILE* file);

// Atomically replaces dst with src (both in the same directory). In a
// browser the folder is then copied to the page's persistent storage.
bool platform_replace_file(const char* src, const char* dst);

// True when a file can really be created in dir: a probe file is made and
// removed again (permission bits say nothing for root).
bool platform_dir_writable(const char* dir);
// The game's folder in the user's data directory, without a trailing
// separator: $XDG_DATA_HOME/game (~/.local/share/game when unset), on
// Windows %LOCALAPPDATA%\game, in a browser the folder kept in the page's
// storage (the only writable one there). Not created here.
bool platform_user_data_dir(char* out, size_t capacity);

// The game writes "autosave" and "tmp/" in its own directory, or, when that
// is read-only (an installed package), only in platform_user_data_dir.
// choose_writable_dir decides once at start-up, after the shell has entered
// the game's directory; until then every file stays in the working
// directory.
void choose_writable_dir(const char* game_dir);
// Writes the path where the game's file name lives into out; false when it
// does not fit.
bool writable_path(char* out, size_t capacity, const char* name);

// The DPI of a window given its native handle (an HWND on Windows), 96
// meaning unscaled; 0 where the system does not say. Read once at start-up
// to choose the pixel scale.
unsigned platform_window_dpi(void* native_window);

// The main loop. On the desktop it calls pass until pass returns false; the
// pass sleeps and waits for events itself. In a browser the page calls pass
// once per animation frame and this never returns.
void platform_run_loop(bool (*pass)());
// Nothing needs drawing for up to seconds: true when the platform rests the
// loop itself until then or until platform_wake_loop (a browser); false
// when the caller is to wait for events (the desktop).
bool platform_rest_loop(double seconds);
// Input or a window event wants a frame: ends the rest early.
void platform_wake_loop();
// A browser sizes the window itself: the canvas fills the page at
// pixel_scale pixels per page pixel, now and after every resize, and the
// window library reports it as a framebuffer size change. False on the
// desktop, where the player sizes the window.
bool platform_fill_page();
// Full screen in a browser is the page's: switches it and returns true.
// False on the desktop, where the window library does it.
bool platform_toggle_page_full_screen();
// False in a browser, which closes its tabs itself without a word: the quit
// key does nothing there, and the game keeps its progress as it goes.
bool platform_can_quit();
// The first line a shader source is given in place of its own version
// line (GLSL ES 3.00 with a default precision in a browser), or null to
// keep the file as it is.
const char* platform_shader_prologue();

// The audio lock; it does nothing in a browser, where the mixer runs on the
// one thread there is.
void platform_mutex_init(PlatformMutex* m);
void platform_mutex_lock(PlatformMutex* m);
void platform_mutex_unlock(PlatformMutex* m);
void platform_mutex_destroy(PlatformMutex* m);

// Reads a whole file into a new buffer of length + 1 bytes, the last one a
// NUL, and returns it (free it with free). The length goes to out_length
// when given. Returns null when the file cannot be opened or read.
char* read_entire_file(const char* path, size_t* out_length = nullptr);
