// platform_win32.cpp - the platform verbs on 64-bit Windows.
//
// The clock is the performance counter, sleeps use a waitable timer with a
// relative due time in 100 ns units, and the executable's directory comes
// from GetModuleFileNameA. Built only by Windows toolchains.
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

bool platform_replace_file(const char* src, const char* dst) {
    return MoveFileExA(src, dst, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
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
