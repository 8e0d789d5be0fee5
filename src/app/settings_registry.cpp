// settings_registry.cpp - the one place that decides the registration order
// of every configuration key and reload callback. Lookup takes the first
// registered match, so this order is part of how config.txt is read.
#include "app/shell.h"
#include "config/config.h"
#include "config/settings.h"
#include "screen/game_screen.h"

void register_all_settings() {
    register_game_screen_settings();
    // The panels and popups register here, each with its own section.
    register_reload_callback(reload_game_screen);
}
