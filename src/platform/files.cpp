// files.cpp - whole-file reading, shared by every loader, and the place
// where the game's own files are written.
#include "platform/platform.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

// Empty: the working directory, which the shell made the game's directory.
// Otherwise the user's data folder with a trailing separator.
static struct {
    char prefix[1024];
} writable_state;

char* read_entire_file(const char* path, size_t* out_length) {
    // fopen succeeds on a directory on some systems and ftell then reports a
    // huge length; only regular files are read.
    struct stat st;
    if (stat(path, &st) != 0 || (st.st_mode & S_IFMT) != S_IFREG) return nullptr;
    FILE* file = fopen(path, "rb");
    if (!file) return nullptr;
    char* buffer = nullptr;
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0) length = ftell(file);
    if (length >= 0 && fseek(file, 0, SEEK_SET) == 0) {
        buffer = (char*)malloc((size_t)length + 1);
        if (buffer && fread(buffer, 1, (size_t)length, file) != (size_t)length) {
            free(buffer);
            buffer = nullptr;
        }
    }
    fclose(file);
    if (!buffer) return nullptr;
    buffer[length] = '\0';
    if (out_length) *out_length = (size_t)length;
    return buffer;
}

// Creates dir and any missing parents; true when dir exists afterwards.
static bool make_dirs(char* dir) {
    for (char* p = dir + 1; *p; p++) {
        if (*p != '/' && *p != '\\') continue;
        char separator = *p;
        *p = '\0';
        platform_make_dir(dir);  // a parent that cannot be made fails below
        *p = separator;
    }
    return platform_make_dir(dir);
}

void choose_writable_dir(const char* game_dir) {
    writable_state.prefix[0] = '\0';
    if (platform_dir_writable(game_dir)) return;
    char dir[sizeof writable_state.prefix - 2];
    if (!platform_user_data_dir(dir, sizeof dir)) {
        fprintf(stderr, "game: the game's directory is read-only and there is no user data "
                        "directory; nothing will be saved\n");
        return;
    }
    if (!make_dirs(dir)) fprintf(stderr, "game: cannot create %s; nothing will be saved\n", dir);
#if defined(_WIN32)
    snprintf(writable_state.prefix, sizeof writable_state.prefix, "%s\\", dir);
#else
    snprintf(writable_state.prefix, sizeof writable_state.prefix, "%s/", dir);
#endif
}

bool writable_path(char* out, size_t capacity, const char* name) {
    int n = snprintf(out, capacity, "%s%s", writable_state.prefix, name);
    return n >= 0 && (size_t)n < capacity;
}
