// key_focus.h - what the keyboard points at: the board cursor's look, the
// highlighted button of the menu panel and of the settings popup, and
// whether they are drawn at all.
//
// The focus is shown while the player uses the keys and hidden by a mouse
// press; a key that finds it hidden first only shows it. The board cursor's
// cell is the screen's (screen/board_cursor.h); its outline and every
// highlight share one style, the [key_focus] section of config.txt.
#pragma once

#include <cstdint>

#include "config/config.h"

// The menu panel's buttons and the settings popup's rows, top to bottom.
enum : uint8_t { MENU_ITEM_SHUFFLE, MENU_ITEM_HELP, MENU_ITEM_SETTINGS, MENU_ITEM_COUNT };
enum : uint8_t {
    SETTINGS_ITEM_MUSIC,
    SETTINGS_ITEM_SOUNDS,
    SETTINGS_ITEM_CLOSE,
    SETTINGS_ITEM_COUNT
};

struct KeyFocus {
    bool shown;
    uint8_t menu_item;      // reset to shuffle whenever the menu opens
    uint8_t settings_item;  // reset to the music row whenever the settings open
};
extern KeyFocus key_focus;

struct KeyFocusStyle {
    Color4 color;
    float stroke_size;
    float padding;  // between the outlined thing and the outline
};
extern KeyFocusStyle key_focus_style;

// The focus's verbs: show_key_focus says whether it was already shown.
bool show_key_focus();
void hide_key_focus();
void step_menu_item(int delta);
void step_settings_item(int delta);
void reset_menu_item();
void reset_settings_item();

// The item one step up (delta -1) or down (+1) among count items, staying
// at either end.
uint8_t step_item(uint8_t item, int delta, uint8_t count);

// An outline in the focus style around a box of (width, height) centred on
// (cx, cy), padding added on every side.
void draw_focus_outline(float cx, float cy, float width, float height);

void register_key_focus_settings();
