// progress_fuzz.cpp - an "autosave" file through the saved-progress
// decoder, then the decoded record written and read back.
//
// Whatever the file holds, the decoded record must be one the game can play
// (every field within its limits), and writing it and reading it again must
// give the same game.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/progress.h"
#include "board/save_codec.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Three tile sets of 20, 15 and 0 pictures: level 21..30 has none.
    tile_set_count = 3;
    tile_counts[0] = 20;
    tile_counts[1] = 15;
    tile_counts[2] = 0;
    return 0;
}

static void check_playable(const SavedProgress& p) {
    if (p.level < 1 || p.level > MAX_LEVEL) __builtin_trap();
    if (p.restored) {
        if (p.width > BOARD_MAX_SIDE || p.height > BOARD_MAX_SIDE) __builtin_trap();
        uint8_t pictures = picture_count_of_level(p.level);
        for (int i = 0; i < p.width * p.height; i++)
            if (p.cells[i] > pictures) __builtin_trap();
    }
    if (p.time_left > MAX_TIME_LIMIT || p.pair_budget > 300 || p.match_count > 100)
        __builtin_trap();
    if (!(p.level_time >= 0.0f && p.level_time <= 864000.0f)) __builtin_trap();
    if (!(p.best_match_time > 0.0f && p.best_match_time <= 86400.0f)) __builtin_trap();
}

static bool same_game(const SavedProgress& a, const SavedProgress& b) {
    if (a.level != b.level || a.tutorial_done != b.tutorial_done ||
        a.music_enabled != b.music_enabled || a.sounds_enabled != b.sounds_enabled ||
        a.vibrations_enabled != b.vibrations_enabled || a.music_position != b.music_position)
        return false;
    if (!a.restored) return true;
    if (!b.restored) return false;
    size_t n = (size_t)a.width * a.height;
    if (a.width != b.width || a.height != b.height || memcmp(a.cells, b.cells, n) != 0) return false;
    for (size_t i = 0; i < n; i++)
        if ((a.ghosts[i] != 0) != (b.ghosts[i] != 0)) return false;
    return a.time_left == b.time_left && a.pair_budget == b.pair_budget &&
           a.level_time == b.level_time && a.best_match_time == b.best_match_time &&
           a.match_count == b.match_count;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SavedProgress p;
    decode_progress(data, size, &p);
    check_playable(p);

    // The game saves what it plays: a board that was not restored is
    // replaced by a generated one, so only a restored board is written back.
    SavedProgress saved = p;
    if (!saved.restored) {
        saved.width = saved.height = 0;
        memset(saved.cells, 0, sizeof saved.cells);
        memset(saved.ghosts, 0, sizeof saved.ghosts);
    }
    uint8_t file[PROGRESS_MAX_BYTES];
    size_t length = encode_progress(&saved, file, sizeof file);
    if (length == 0) __builtin_trap();
    SavedProgress again;
    decode_progress(file, length, &again);
    check_playable(again);
    if (!same_game(p, again)) __builtin_trap();
    return 0;
}
