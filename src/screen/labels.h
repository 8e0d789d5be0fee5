// labels.h - the four header labels whose texts follow the level: its
// number, the challenge's name, the Time Challenge clock and the Pairs
// Countdown budget. Their texts change through the show_ verbs below; the
// game screen binds them to their fonts and draws them.
#pragma once

#include "render/font.h"

extern TextLabel level_label;      // "Level %d"
extern TextLabel challenge_label;  // "Time Challenge", "Pairs Countdown" or ""
extern TextLabel timer_label;      // "%d:%02d" in a Time Challenge
extern TextLabel moves_label;      // "%d" pairs left in a Pairs Countdown

// "%d:%02d" of whole seconds, e.g. 75 -> "1:15".
void format_clock_text(char* out, size_t capacity, unsigned seconds);

// All four for the level just dealt.
void show_level_labels();
// The budget left (or nothing once the Pairs Countdown has ended).
void show_budget_label();
void hide_budget_label();
// The clock's whole seconds left.
void show_clock_label();
