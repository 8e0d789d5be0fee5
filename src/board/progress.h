// progress.h - the saved progress: the "autosave" file that keeps the
// level number, the tutorial mark, the settings and the level being played
// (board, clock or budget, ghosts, statistics) between runs.
//
// Saving gathers them from their owners; loading applies the level number,
// the tutorial mark and the settings and returns the record, whose board
// deal_level (board/level.h) plays on.
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
