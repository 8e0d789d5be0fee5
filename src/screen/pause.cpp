// pause.cpp - pausing and resuming the level; the plate is an overlay, so
// nothing else takes presses or keys meanwhile.
#include "screen/pause.h"

#include "ui/overlays.h"

void pause_level() {
    open_overlay(OVERLAY_PAUSE_PLATE);
}

void resume_level() {
    close_overlay(OVERLAY_PAUSE_PLATE);
}

bool level_paused() {
    return overlay_open(OVERLAY_PAUSE_PLATE);
}
