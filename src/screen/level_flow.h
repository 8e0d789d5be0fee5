// level_flow.h - starting a level, playing it again and moving on to the
// next: the board's rules (board/progress) plus what the player sees of
// them (pictures, header labels, grid background, a restored result).
#pragma once

void start_level();
void advance_level();
// Clears the level's animations, selection and per-cell drawing state; run
// before start_level when a level is played again or left.
void reset_level_state();
