// progress.h - levels, challenge modes and the saved progress.
//
// The player's progress (level, settings, the board being played with its
// clock or budget, and the statistics of the level) lives here, together
// with starting a level, moving on to the next and the "autosave" file that
// keeps all of it between runs.
#pragma once

#include <cstddef>
#include <cstdint>

extern uint16_t level;  // 1..9999
extern uint8_t tutorial_done;
extern uint8_t vibrations_enabled;

extern uint16_t time_limit;  // seconds allowed in the Time Challenge
extern uint16_t time_left;   // whole seconds last shown by the timer
extern float clock_running;  // 1 while the Time Challenge clock runs
extern float clock_seconds;  // the clock's exact remaining time
extern uint16_t pair_budget;  // pairs still to remove in Pairs Countdown
extern float level_time;
extern float best_match_time;
extern float time_since_match;
extern uint16_t match_count;
extern bool restored;  // the board came from the saved file
extern uint8_t current_set;
extern uint8_t next_set;

void start_level();
void advance_level();
void reset_level_state();

// How the current level stands, as the rules see it: cleared (a cleared
// challenge, or a spent Pairs Countdown budget, completes the tile set), or
// a Time Challenge clock run out with tiles still to match. Asked when a
// removal ends, when the clock reaches 0 and when a save is restored.
enum LevelResult { LEVEL_PLAYING, LEVEL_WON, LEVEL_SET_COMPLETE, LEVEL_LOST };
LevelResult level_result();

// Writes "autosave" through a temporary file renamed over it, so a crash
// never leaves a half-written file. False when it could not be written.
bool save_progress();
void load_progress();

// --- The "autosave" record ---------------------------------------------------

enum {
    PROGRESS_VERSION = 2,
    PROGRESS_MAX_BYTES = 32 + 100 + 100,  // header and statistics, cells, ghosts
    MAX_PAIR_BUDGET = 100,
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

// The same as save_progress / load_progress with another file name; the
// temporary file is path + ".tmp".
bool save_progress_to(const char* path);
void load_progress_from(const char* path);

// False, with the reason (naming the count file) in message, when there is
// no tile set or a set has no pictures: the game cannot be played then.
bool tile_sets_usable(char* message, size_t capacity);
