// level_flow.h - starting a level, playing it again and moving on to the
// next: the rules deal the board (board/level) and the screen shows it
// (pictures, header labels, grid background, a resumed board's result).
#pragma once

struct SavedProgress;

// Deals the level: the saved record's board when it has one that passed
// its checks (start-up), the level's own layout otherwise.
void start_level(const SavedProgress* saved = nullptr);
void advance_level();
// Clears the level's animations, selection and per-cell drawing state; run
// before start_level when a level is played again or left.
void reset_level_state();
