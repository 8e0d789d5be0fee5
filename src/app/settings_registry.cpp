// settings_registry.cpp - the one place that decides the registration order
// of every configuration key and reload callback. Lookup takes the first
// registered match, so this order is part of how config.txt is read.
#include "app/shell.h"
#include "config/config.h"
#include "screen/game_screen.h"
#include "screen/game_screen_keys.h"
#include "ui/key_focus.h"
#include "ui/popups.h"

void register_all_settings() {
    register_game_screen_settings();
    // Each panel and popup registers its own section and reload callback.
    register_win_popup_settings();
    register_win2_popup_settings();
    register_lose_popup_settings();
    register_menu_panel_settings();
    register_progress_panel_settings();
    register_help_popup_settings();
    register_settings_popup_settings();
    register_pause_plate_settings();
    register_key_focus_settings();
    // Last, so the game screen rebuilds after every popup has.
    register_reload_callback(reload_game_screen);
}
