// input.h - keyboard and mouse input: the translation of window-library key
// codes into the game's own AppKey codes, what a key or button event means,
// and the window callbacks that act on it.
#pragma once

#include <cstdint>

struct GLFWwindow;

// The game's key codes: 0 for keys it has no code for.
typedef uint8_t AppKey;
enum : AppKey {
    APP_KEY_NONE = 0,
    APP_KEY_H = 26,
    APP_KEY_Q = 35,
    APP_KEY_ESCAPE = 49,
    APP_KEY_ENTER = 50,
    APP_KEY_F11 = 78,
};

AppKey map_glfw_key(int glfw_key);

enum KeyCommand {
    KEY_COMMAND_NONE,
    KEY_COMMAND_TOGGLE_FULLSCREEN,
    KEY_COMMAND_QUIT,
    KEY_COMMAND_HINT,
};

// Only presses count: Enter with exactly Alt, or F11 alone, switches the
// display mode, Q quits and H asks for a hint whatever the modifiers,
// everything else does nothing.
KeyCommand key_command(int glfw_key, int action, int mods);

// Presses and releases of the left and right buttons go to the click
// handling; everything else is dropped.
bool mouse_event_is_click(int button, int action);

// Installs the key, mouse-button, framebuffer-size, refresh, iconify, focus,
// character and cursor callbacks on the game window (window_input.cpp).
void install_window_callbacks(GLFWwindow* window);
// Windowed <-> full screen on the primary monitor, restoring windowed_rect.
void toggle_fullscreen();
