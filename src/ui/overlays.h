// overlays.h - which panels and popups are open over the game screen. One
// struct, written only through the verbs below, so a popup's flag cannot be
// set by anyone but the code that opens it.
#pragma once

#include <cstdint>

enum Overlay : uint8_t {
    OVERLAY_MENU_PANEL,
    OVERLAY_PROGRESS_PANEL,
    OVERLAY_SETTINGS_POPUP,
    OVERLAY_WIN_POPUP,
    OVERLAY_WIN2_POPUP,
    OVERLAY_LOSE_POPUP,
    OVERLAY_PAUSE_PLATE,  // a paused level: the board is hidden
    OVERLAY_COUNT
};

struct Overlays {
    bool open[OVERLAY_COUNT];
};

extern Overlays overlays;

void open_overlay(Overlay which);
void close_overlay(Overlay which);
bool overlay_open(Overlay which);
bool any_overlay_open();
