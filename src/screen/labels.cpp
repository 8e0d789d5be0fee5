// labels.cpp - the texts of the header labels, following the level.
#include "screen/labels.h"

#include <cstdio>

#include "board/level.h"
#include "board/progress.h"

TextLabel level_label, challenge_label, timer_label, moves_label;

void format_clock_text(char* out, size_t capacity, unsigned seconds) {
    snprintf(out, capacity, "%u:%02u", seconds / 60, seconds % 60);
}

void show_level_labels() {
    char text[32];
    snprintf(text, sizeof text, "Level %d", level);
    set_label_text(&level_label, text);
    set_label_text(&challenge_label, time_challenge    ? "Time Challenge"
                                     : pairs_countdown ? "Pairs Countdown"
                                                       : "");
    if (pairs_countdown)
        show_budget_label();
    else
        hide_budget_label();
    if (time_challenge)
        show_clock_label();
    else
        set_label_text(&timer_label, "");
}

void show_budget_label() {
    char text[16];
    snprintf(text, sizeof text, "%d", level_state.pair_budget);
    set_label_text(&moves_label, text);
}

void hide_budget_label() {
    set_label_text(&moves_label, "");
}

void show_clock_label() {
    char text[16];
    format_clock_text(text, sizeof text, level_state.time_left);
    set_label_text(&timer_label, text);
}
