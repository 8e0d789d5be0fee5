// platform_posix.cpp - the platform verbs on Linux and other POSIX systems.
#if !defined(_WIN32)

#include "platform/platform.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

static struct {
    timespec origin;
} platform_state;

void platform_start_clock() {
    clock_gettime(CLOCK_MONOTONIC, &platform_state.origin);
}

double platform_now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)(now.tv_sec - platform_state.origin.tv_sec) +
           (double)(now.tv_nsec - platform_state.origin.tv_nsec) * 1e-9;
}

void platform_sleep_us(int64_t microseconds) {
    if (microseconds <= 0) return;
    timespec wait;
    wait.tv_sec = (time_t)(microseconds / 1000000);
    wait.tv_nsec = (long)(microseconds % 1000000) * 1000;
    // A signal may cut the sleep short; sleep the rest.
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

bool platform_executable_dir(char* out, size_t capacity) {
    if (capacity == 0) return false;
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return false;
    path[n] = '\0';
    char* slash = strrchr(path, '/');
    if (!slash) return false;
    size_t length = (size_t)(slash - path);
    if (length == 0) length = 1;  // the executable sits in "/"
    if (length >= capacity) return false;
    memcpy(out, path, length);
    out[length] = '\0';
    return true;
}

bool platform_change_dir(const char* dir) {
    return chdir(dir) == 0;
}

int64_t platform_file_mtime(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) return 0;
    return (int64_t)st.st_mtime;
}

int64_t platform_file_size(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) return -1;
    return (int64_t)st.st_size;
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
    if (fflush(file) != 0) return false;
    return fsync(fileno(file)) == 0;
}

bool platform_replace_file(const char* src, const char* dst) {
    return rename(src, dst) == 0;
}

bool platform_dir_writable(const char* dir) {
    char probe[PATH_MAX];
    int n = snprintf(probe, sizeof probe, "%s/.write-probe.%ld", dir, (long)getpid());
    if (n < 0 || (size_t)n >= sizeof probe) return false;
    int fd = open(probe, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return false;
    close(fd);
    unlink(probe);
    return true;
}

bool platform_user_data_dir(char* out, size_t capacity) {
    // A relative XDG_DATA_HOME is invalid and ignored, like an empty one.
    const char* data_home = getenv("XDG_DATA_HOME");
    int n = -1;
    if (data_home && data_home[0] == '/') {
        n = snprintf(out, capacity, "%s/game", data_home);
    } else {
        const char* home = getenv("HOME");
        if (!home || home[0] != '/') {
            const passwd* user = getpwuid(getuid());
            home = user ? user->pw_dir : nullptr;
        }
        if (!home || home[0] != '/') return false;
        n = snprintf(out, capacity, "%s/.local/share/game", home);
    }
    return n >= 0 && (size_t)n < capacity;
}

// X11 and Wayland report scale through the window library instead.
unsigned platform_window_dpi(void*) {
    return 0;
}

void platform_mutex_init(PlatformMutex* m) {
    pthread_mutex_init(&m->handle, nullptr);
}
void platform_mutex_lock(PlatformMutex* m) {
    pthread_mutex_lock(&m->handle);
}
void platform_mutex_unlock(PlatformMutex* m) {
    pthread_mutex_unlock(&m->handle);
}
void platform_mutex_destroy(PlatformMutex* m) {
    pthread_mutex_destroy(&m->handle);
}

#endif
