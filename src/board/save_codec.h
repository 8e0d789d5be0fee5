// save_codec.h - the "autosave" record: its fields, and turning them into
// bytes and back.
//
// The file is little-endian and packed (version 2, 32 + n + k bytes for a
// board of n cells with k ghosts). Reading applies the fields in file order
// and stops at the first one that fails its check or lies past the end of
// the file; everything after keeps its first-start default.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    PROGRESS_VERSION = 2,
    PROGRESS_MAX_BYTES = 32 + 100 + 100,  // header and statistics, cells, ghosts
    MAX_PAIR_BUDGET = 100,
    // A Time Challenge gives ten seconds a picture, so the longest clock is
    // that of the largest tile set; a saved clock above it is broken.
    SECONDS_PER_PICTURE = 10,
    MAX_TIME_LIMIT = SECONDS_PER_PICTURE * 255,
};

// The record's fields as the game applies them. The ghost indices of the
// file are kept as one flag per cell.
struct SavedProgress {
    uint16_t level;
    uint8_t tutorial_done;
    uint8_t music_enabled, sounds_enabled, vibrations_enabled;
    uint64_t music_position;
    uint8_t width, height;
    uint8_t cells[100];
    bool restored;          // the board passed every check
    uint16_t time_left;
    uint16_t pair_budget;
    bool time_left_read;    // time_left came from the file, not a default
    bool pair_budget_read;  // pair_budget came from the file, not a default
    uint8_t ghost_count;    // k as it stood in the file
    uint8_t ghosts[100];
    float level_time;
    float best_match_time;
    uint16_t match_count;
};

// A first start: level 1, every setting on, no board.
void default_saved_progress(SavedProgress* p);
// Version 2 layout, little-endian: 32 + n + k bytes; 0 when out is too small
// or the board is larger than 10 x 10. Ghosts count only inside the board.
size_t encode_progress(const SavedProgress* p, uint8_t* out, size_t capacity);
// Starts from the defaults and applies the fields in file order, stopping at
// the first failed check or at the end of the data (a short file keeps the
// defaults of every field it lacks). Cell values are checked against the
// picture count of the level's tile set. A board that could never be
// finished (smaller than 3 x 3, a tile in the frame, a picture an odd number
// of times outside Pairs Countdown) is dropped with its clock, budget and
// ghosts; level, settings and statistics stay.
void decode_progress(const uint8_t* data, size_t length, SavedProgress* out);

// best_match_time while no pair has been removed yet.
constexpr float NO_MATCH_TIME = 86400.0f;
