// platform_win32.cpp - the platform verbs on 64-bit Windows.
//
// The clock is the performance counter, sleeps use a waitable timer with a
// relative due time in 100 ns units, the executable's directory comes from
// GetModuleFileNameA, and a file is replaced by a write-through move so a
// crash leaves the old or the new one. Built only by Windows toolchains.
#if defined(_WIN32)

#include "platform/platform.h"

#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static_assert(sizeof(CRITICAL_SECTION) <= sizeof(PlatformMutex::storage),
              "PlatformMutex too small for a critical section");

static struct {
    double seconds_per_tick;
    LARGE_INTEGER origin;
} platform_state;

void platform_start_clock() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    platform_state.seconds_per_tick = 1.0 / (double)frequency.QuadPart;
    QueryPerformanceCounter(&platform_state.origin);
}

double platform_now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)(now.QuadPart - platform_state.origin.QuadPart) *
           platform_state.seconds_per_tick;
}

void platform_sleep_us(int64_t microseconds) {
    if (microseconds <= 0) return;
    HANDLE timer = CreateWaitableTimerW(nullptr, TRUE, nullptr);
    if (!timer) return;
    LARGE_INTEGER due;
    due.QuadPart = -10 * microseconds;  // negative: relative, 100 ns units
    if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(timer, INFINITE);
    CloseHandle(timer);
}

bool platform_executable_dir(char* out, size_t capacity) {
    char path[1024];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return false;
    char* slash = strrchr(path, '\\');
    if (!slash) return false;
    size_t length = (size_t)(slash - path);
    if (length >= capacity) return false;
    memcpy(out, path, length);
    out[length] = '\0';
    return true;
}

bool platform_change_dir(const char* dir) {
    return _chdir(dir) == 0;
}

int64_t platform_file_mtime(const char* path) {
    struct _stat64i32 st;
    if (_stat64i32(path, &st) != 0) return 0;
    return (int64_t)st.st_mtime;
}

int64_t platform_file_size(const char* path) {
    struct _stat64 st;
    if (_stat64(path, &st) != 0) return -1;
    return (int64_t)st.st_size;
}

int64_t platform_calendar_time() {
    return (int64_t)_time64(nullptr);
}

bool platform_make_dir(const char* path) {
    if (_mkdir(path) == 0) return true;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool platform_sync_file(FILE* file) {
    if (fflush(file) != 0) return false;
    HANDLE handle = (HANDLE)_get_osfhandle(_fileno(file));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

// Paths are in the ANSI code page, as fopen takes them.
static bool wide_path(const char* path, wchar_t* out, int capacity) {
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, out, capacity) > 0;
}

// rename() refuses an existing target on Windows; this move replaces it in
// one step and returns only once the change is on the disk.
bool platform_replace_file(const char* src, const char* dst) {
    wchar_t from[MAX_PATH], to[MAX_PATH];
    if (!wide_path(src, from, MAX_PATH) || !wide_path(dst, to, MAX_PATH)) return false;
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// GetDpiForWindow exists from Windows 10 (1607) on; older systems get 0.
unsigned platform_window_dpi(void* native_window) {
    typedef UINT(WINAPI * DpiForWindow)(HWND);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32 || !native_window) return 0;
    DpiForWindow dpi_for_window = (DpiForWindow)(void*)GetProcAddress(user32, "GetDpiForWindow");
    return dpi_for_window ? dpi_for_window((HWND)native_window) : 0;
}

bool platform_dir_writable(const char* dir) {
    char probe[MAX_PATH];
    int n = snprintf(probe, sizeof probe, "%s\\.write-probe.%lu", dir, GetCurrentProcessId());
    if (n < 0 || (size_t)n >= sizeof probe) return false;
    // Read-only attributes and ACLs both show only in a real attempt.
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool platform_user_data_dir(char* out, size_t capacity) {
    const char* local = getenv("LOCALAPPDATA");
    if (!local || !local[0]) return false;
    int n = snprintf(out, capacity, "%s\\game", local);
    return n >= 0 && (size_t)n < capacity;
}

void platform_mutex_init(PlatformMutex* m) {
    InitializeCriticalSection((CRITICAL_SECTION*)m->storage);
}
void platform_mutex_lock(PlatformMutex* m) {
    EnterCriticalSection((CRITICAL_SECTION*)m->storage);
}
void platform_mutex_unlock(PlatformMutex* m) {
    LeaveCriticalSection((CRITICAL_SECTION*)m->storage);
}
void platform_mutex_destroy(PlatformMutex* m) {
    DeleteCriticalSection((CRITICAL_SECTION*)m->storage);
}

#endif
