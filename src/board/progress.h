// progress.h - levels, challenge modes and the saved progress.
//
// The player's progress (level, settings, the board being played with its
// clock or budget, and the statistics of the level) lives here, together
// with the rules of dealing a level and moving on to the next, and the
// "autosave" file that keeps all of it between runs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "board/level.h"

extern uint16_t level;  // 1..9999
extern uint8_t tutorial_done;
extern uint8_t vibrations_enabled;

extern float level_time;
extern float best_match_time;
extern float time_since_match;
extern uint16_t match_count;
extern bool restored;  // the board came from the saved file
extern uint8_t current_set;
extern uint8_t next_set;

// current_set for the level and next_set, the one after it (both 0 while
// there is no tile set).
void choose_tile_sets();

// The rules' part of starting a level (screen/level_flow adds pictures,
// labels and popups): the mode, the board (a restored one or the level's
// layout), the clock or budget and the statistics. True when the board was
// the restored one, whose result the screen shows again.
bool deal_level();
// One level on and the tile sets chosen for it; true when the tile set
// changed.
bool next_level();

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

// The same as save_progress / load_progress with another file name; the
// temporary file is path + ".tmp".
bool save_progress_to(const char* path);
void load_progress_from(const char* path);

// False, with the reason (naming the count file) in message, when there is
// no tile set or a set has no pictures: the game cannot be played then.
bool tile_sets_usable(char* message, size_t capacity);
