// input_rules.cpp - key-code translation and the meaning of key and button
// events, free of any window so they can be checked directly.
#include "app/input.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

struct KeyRange {
    int first_glfw_key, last_glfw_key;
    AppKey first_app_key;
};

// Consecutive window-library codes map to consecutive game codes.
static const KeyRange key_ranges[] = {
    {GLFW_KEY_SPACE, GLFW_KEY_SPACE, 1},
    {GLFW_KEY_APOSTROPHE, GLFW_KEY_APOSTROPHE, 2},
    {GLFW_KEY_COMMA, GLFW_KEY_SLASH, 3},
    {GLFW_KEY_0, GLFW_KEY_9, 7},
    {GLFW_KEY_SEMICOLON, GLFW_KEY_SEMICOLON, 17},
    {GLFW_KEY_EQUAL, GLFW_KEY_EQUAL, 18},
    {GLFW_KEY_A, GLFW_KEY_Z, 19},
    {GLFW_KEY_LEFT_BRACKET, GLFW_KEY_RIGHT_BRACKET, 45},
    {GLFW_KEY_GRAVE_ACCENT, GLFW_KEY_GRAVE_ACCENT, 48},
    {GLFW_KEY_ESCAPE, GLFW_KEY_ESCAPE, 49},
    {GLFW_KEY_ENTER, GLFW_KEY_ENTER, 50},
    {GLFW_KEY_TAB, GLFW_KEY_DELETE, 51},
    {GLFW_KEY_RIGHT, GLFW_KEY_UP, 55},
    {GLFW_KEY_PAGE_UP, GLFW_KEY_END, 59},
    {GLFW_KEY_CAPS_LOCK, GLFW_KEY_PAUSE, 63},
    {GLFW_KEY_F1, GLFW_KEY_F12, 68},
    {GLFW_KEY_LEFT_SHIFT, GLFW_KEY_LEFT_SUPER, 80},
    {GLFW_KEY_RIGHT_SHIFT, GLFW_KEY_RIGHT_SUPER, 84},
};

AppKey map_glfw_key(int glfw_key) {
    for (const KeyRange& range : key_ranges) {
        if (glfw_key >= range.first_glfw_key && glfw_key <= range.last_glfw_key)
            return (AppKey)(range.first_app_key + (glfw_key - range.first_glfw_key));
    }
    return APP_KEY_NONE;
}

KeyCommand key_command(int glfw_key, int action, int mods) {
    if (action != GLFW_PRESS) return KEY_COMMAND_NONE;
    AppKey key = map_glfw_key(glfw_key);
    if (key == APP_KEY_ENTER)
        return mods == GLFW_MOD_ALT ? KEY_COMMAND_TOGGLE_FULLSCREEN : KEY_COMMAND_NONE;
    // The key players of desktop games reach for first.
    if (key == APP_KEY_F11) return mods == 0 ? KEY_COMMAND_TOGGLE_FULLSCREEN : KEY_COMMAND_NONE;
    if (key == APP_KEY_Q) return KEY_COMMAND_QUIT;
    if (key == APP_KEY_H) return KEY_COMMAND_HINT;
    return KEY_COMMAND_NONE;
}

bool mouse_event_is_click(int button, int action) {
    if (action != GLFW_PRESS && action != GLFW_RELEASE) return false;
    return button == GLFW_MOUSE_BUTTON_LEFT || button == GLFW_MOUSE_BUTTON_RIGHT;
}
