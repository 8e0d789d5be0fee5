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
extern uint8_t music_enabled;
extern uint8_t sounds_enabled;
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

// Writes "autosave" through a temporary file renamed over it, so a crash
// never leaves a half-written file. False when it could not be written.
bool save_progress();
void load_progress();

// Plays an effect when the "sounds" setting is on.
void play_effect(const char* name);
