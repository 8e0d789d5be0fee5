// keyboard.h - what a key can do in the game, what the keys act on at this
// moment, and carrying a key's action out. Which key does what where is the
// routing table of app/key_routing.cpp.
//
// A key acts as the mouse would: a cell by a press and a release at its
// centre, a button by the press the button's own click would make.
#pragma once

#include <cstdint>

// What takes the keys now, in the order presses are taken (screen/click.cpp).
enum KeyScene : uint8_t {
    KEY_SCENE_BOARD,  // a level with nothing open over it
    KEY_SCENE_PAUSED,
    KEY_SCENE_SETTINGS,
    KEY_SCENE_TUTORIAL,  // the help popup over a practice board
    KEY_SCENE_RESULT,    // win, tile-set complete or lose popup
    KEY_SCENE_MENU,
};

struct KeyContext {
    KeyScene scene;
    bool next_shown, close_shown;  // the help popup's buttons
};

enum KeyAction : uint8_t {
    KEY_ACTION_NONE,
    KEY_ACTION_CURSOR_LEFT,
    KEY_ACTION_CURSOR_RIGHT,
    KEY_ACTION_CURSOR_UP,
    KEY_ACTION_CURSOR_DOWN,
    KEY_ACTION_PRESS_CELL,
    KEY_ACTION_OPEN_MENU,
    KEY_ACTION_PAUSE,
    KEY_ACTION_RESUME,
    KEY_ACTION_HIGHLIGHT_UP,
    KEY_ACTION_HIGHLIGHT_DOWN,
    KEY_ACTION_PRESS_HIGHLIGHT,
    KEY_ACTION_CLOSE,  // the menu as a press outside it; the settings' or help's close button
    KEY_ACTION_NEXT,   // the help popup's "Next"
    KEY_ACTION_PRESS_RESULT,
};

KeyContext key_context();
void run_key_action(KeyAction action);
