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
#include "board/save_codec.h"

extern uint8_t tutorial_done;
extern uint8_t vibrations_enabled;


// Writes "autosave" through a temporary file renamed over it, so a crash
// never leaves a half-written file. False when it could not be written.
bool save_progress();
// Reads "autosave": the level, the tutorial mark and the settings take
// effect at once; the record is returned whole, for deal_level to play its
// board on (a missing or damaged file reads as a first start).
SavedProgress load_progress();

// The same as save_progress / load_progress with another file name; the
// temporary file is path + ".tmp".
bool save_progress_to(const char* path);
SavedProgress load_progress_from(const char* path);

// The tutorial has been seen (saved at once the first time).
void mark_tutorial_done();

// False, with the reason (naming the count file) in message, when there is
// no tile set or a set has no pictures: the game cannot be played then.
bool tile_sets_usable(char* message, size_t capacity);
