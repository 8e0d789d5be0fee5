// Helpers shared by the data-contract tests of the generated run directory:
// paths into it, whole-file reads, the count-file rule, and the skip used
// when the asset step is switched off.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

inline std::string run_path(const std::string &relative) { return std::string(GAME_RUN_DIR) + "/" + relative; }

inline bool path_exists(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// The asset step writes all four directories; a build with the step off has
// none of them, and then there is nothing to check.
inline bool assets_built() {
    return path_exists(run_path("images")) || path_exists(run_path("sounds")) || path_exists(run_path("fonts")) ||
           path_exists(run_path("licenses"));
}

#define SKIP_WITHOUT_ASSETS()                                                       \
    do {                                                                            \
        if (!assets_built()) GTEST_SKIP() << "the run directory has no assets (GAME_ASSETS off)"; \
    } while (0)

inline std::vector<unsigned char> read_bytes(const std::string &path) {
    std::vector<unsigned char> bytes;
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    unsigned char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

// A count file as the game reads it: optional white space and sign, then
// decimal digits up to the first other character; -1 when it is missing.
inline int read_count_file(const std::string &path) {
    std::vector<unsigned char> bytes = read_bytes(path);
    if (bytes.empty() && !path_exists(path)) return -1;
    std::string text(bytes.begin(), bytes.end());
    return std::atoi(text.c_str());
}
