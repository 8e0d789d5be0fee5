// key_routing.h - which key does what to the game, by what takes the keys
// at the moment (screen/keyboard.h's KeyScene).
//
// The shell's own keys (key_command: Alt+Enter, Q, H) come first and are
// left to it, except that a paused level takes H, like every key but the
// shell's and the bare modifiers, to resume.
#pragma once

#include "screen/keyboard.h"

// Pure: a window-library key event in the context to the game's action.
// Presses act; repeats only for the arrow keys; releases never.
KeyAction route_key(const KeyContext& context, int glfw_key, int action, int mods);

// The key callback's part for the game: routes the key and carries out its
// action; false when the game has nothing to do with it.
bool take_game_key(int glfw_key, int action, int mods);
