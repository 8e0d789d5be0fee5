// popups.h - what the rest of the game calls on the panels and popups.
//
// Each panel or popup registers its config section (its labels and buttons
// through the helpers of styles.h, and one reload callback), sets itself up
// at start-up, opens, takes clicks while open and draws itself. Setup and
// reload follow one pattern: load the fonts, (at setup only) create the
// labels, then lay out texts and shapes. The click handling routes presses
// here in a fixed order; the game-screen drawing calls the draw functions
// in a fixed order.
#pragma once

#include <cstdint>

// What a press on a popup or panel asks of the game: the popup closes
// itself and plays its sound, and the game screen does the rest (a level
// is started or left only there).
// clang-format off
enum [[nodiscard]] UiAction : uint8_t {
    UI_NOTHING,
    UI_NEXT_LEVEL,          // advance_level
    UI_PLAY_AGAIN,          // reset_level_state, start_level, then "tap"
    UI_SHUFFLE,             // shuffle_board, no-moves state cleared
    UI_START_TUTORIAL,
    UI_NEXT_TUTORIAL_STEP,
    UI_END_TUTORIAL,        // end_tutorial plays the "tap"
};
// clang-format on

// Config sections, registered in this order by register_all_settings.
void register_win_popup_settings();
void register_win2_popup_settings();
void register_lose_popup_settings();
void register_menu_panel_settings();
void register_progress_panel_settings();
void register_help_popup_settings();
void register_settings_popup_settings();
void register_pause_plate_settings();

// Start-up: fonts, labels and shapes of each, in the asset loading order.
void setup_win_popup();
void setup_win2_popup();
void setup_lose_popup();
void setup_menu_panel();
void setup_progress_panel();
void setup_help_popup();
void setup_settings_popup();
void setup_pause_plate();

// Win popup: a level cleared.
void open_win_popup();
UiAction win_popup_click();
void draw_win_popup();

// Tile-set complete popup: a challenge won; presents the next set.
void open_win2_popup();
UiAction win2_popup_click();
void draw_win2_popup();
extern bool win2_popup_ready;

// Lose popup: the Time Challenge clock ran out.
void open_lose_popup();
UiAction lose_popup_click();
void draw_lose_popup();
extern float lose_popup_scale;
extern float lose_popup_input_delay;  // clicks wait while above 0
// The delay runs down while the popup shows.
void count_down_lose_popup_delay(float dt);

// Menu panel (opens and closes with the progress panel).
void open_menu_panel();
void close_menu_panel();
// One of "shuffle", "help", "settings", "bg", "close".
const char* menu_panel_hit(float x, float y);
UiAction menu_panel_action(const char* word);
// The button of a MENU_ITEM_* (ui/key_focus.h) pressed.
UiAction menu_panel_press(uint8_t item);
void draw_menu_panel();
extern float menu_panel_scale;

// Progress panel.
void open_progress_panel();
void close_progress_panel();  // frees the pictures it loaded
void draw_progress_panel();
extern float progress_panel_offset;

// Help popup over the tutorial: UI_NOTHING when the press hit none of its
// buttons (and goes on to the practice board).
// Its section also styles the practice boards drawn by the game screen.
struct Color4;
extern Color4 help_ghost_tile_bg_color;  // "ghost_tile_bg_color": walls
extern Color4 help_ghost_line_color;     // "ghost_line_color": demonstration line
extern float help_ghost_line_size;       // "ghost_line_size"
UiAction help_popup_click(float x, float y);
// Its buttons pressed; UI_NOTHING while the button is not shown.
UiAction help_popup_press_next();
UiAction help_popup_press_close();
void draw_help_popup();

// Settings popup: takes every press while open.
void settings_popup_click(float x, float y);
// The row or button of a SETTINGS_ITEM_* (ui/key_focus.h) pressed.
void settings_popup_press(uint8_t item);
// Opened from the menu: a Time Challenge's clock waits meanwhile.
void open_settings_popup();
void draw_settings_popup();

// Pause plate: "Paused" and how to go on, where the board was.
void draw_pause_plate();
