// files.cpp - whole-file reading, shared by every loader.
#include "platform/platform.h"

#include <cstdlib>
#include <sys/stat.h>

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
