// overlays.cpp - the open flags of the panels and popups and their verbs.
#include "ui/overlays.h"

Overlays overlays;

void open_overlay(Overlay which) {
    overlays.open[which] = true;
}

void close_overlay(Overlay which) {
    overlays.open[which] = false;
}

bool overlay_open(Overlay which) {
    return overlays.open[which];
}

bool any_overlay_open() {
    for (bool open : overlays.open)
        if (open) return true;
    return false;
}
