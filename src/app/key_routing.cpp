// key_routing.cpp - the table of the game's keys, scene by scene, and the
// rules around it (repeats, modifiers, resuming a paused level).
#include "app/key_routing.h"

#include "app/input.h"
#include "app/shell.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

enum : AppKey {
    KEY_SPACE = 1,
    KEY_P = 34,
    KEY_RIGHT = 55,
    KEY_LEFT = 56,
    KEY_DOWN = 57,
    KEY_UP = 58,
    KEY_PAUSE = 67,
};

struct KeyRoute {
    KeyScene scene;
    AppKey key;
    KeyAction action;
};

// Scenes and keys not listed mean nothing. A paused level is not listed:
// every key resumes it.
const KeyRoute key_routes[] = {
    {KEY_SCENE_BOARD, KEY_LEFT, KEY_ACTION_CURSOR_LEFT},
    {KEY_SCENE_BOARD, KEY_RIGHT, KEY_ACTION_CURSOR_RIGHT},
    {KEY_SCENE_BOARD, KEY_UP, KEY_ACTION_CURSOR_UP},
    {KEY_SCENE_BOARD, KEY_DOWN, KEY_ACTION_CURSOR_DOWN},
    {KEY_SCENE_BOARD, KEY_SPACE, KEY_ACTION_PRESS_CELL},
    {KEY_SCENE_BOARD, APP_KEY_ENTER, KEY_ACTION_PRESS_CELL},
    {KEY_SCENE_BOARD, APP_KEY_ESCAPE, KEY_ACTION_OPEN_MENU},
    {KEY_SCENE_BOARD, KEY_P, KEY_ACTION_PAUSE},
    {KEY_SCENE_BOARD, KEY_PAUSE, KEY_ACTION_PAUSE},

    {KEY_SCENE_TUTORIAL, KEY_LEFT, KEY_ACTION_CURSOR_LEFT},
    {KEY_SCENE_TUTORIAL, KEY_RIGHT, KEY_ACTION_CURSOR_RIGHT},
    {KEY_SCENE_TUTORIAL, KEY_UP, KEY_ACTION_CURSOR_UP},
    {KEY_SCENE_TUTORIAL, KEY_DOWN, KEY_ACTION_CURSOR_DOWN},
    {KEY_SCENE_TUTORIAL, KEY_SPACE, KEY_ACTION_PRESS_CELL},
    {KEY_SCENE_TUTORIAL, APP_KEY_ENTER, KEY_ACTION_NEXT},  // the cell while "Next" is hidden
    {KEY_SCENE_TUTORIAL, APP_KEY_ESCAPE, KEY_ACTION_CLOSE},

    {KEY_SCENE_MENU, KEY_UP, KEY_ACTION_HIGHLIGHT_UP},
    {KEY_SCENE_MENU, KEY_DOWN, KEY_ACTION_HIGHLIGHT_DOWN},
    {KEY_SCENE_MENU, KEY_SPACE, KEY_ACTION_PRESS_HIGHLIGHT},
    {KEY_SCENE_MENU, APP_KEY_ENTER, KEY_ACTION_PRESS_HIGHLIGHT},
    {KEY_SCENE_MENU, APP_KEY_ESCAPE, KEY_ACTION_CLOSE},

    {KEY_SCENE_SETTINGS, KEY_UP, KEY_ACTION_HIGHLIGHT_UP},
    {KEY_SCENE_SETTINGS, KEY_DOWN, KEY_ACTION_HIGHLIGHT_DOWN},
    {KEY_SCENE_SETTINGS, KEY_SPACE, KEY_ACTION_PRESS_HIGHLIGHT},
    {KEY_SCENE_SETTINGS, APP_KEY_ENTER, KEY_ACTION_PRESS_HIGHLIGHT},
    {KEY_SCENE_SETTINGS, APP_KEY_ESCAPE, KEY_ACTION_CLOSE},

    {KEY_SCENE_RESULT, KEY_SPACE, KEY_ACTION_PRESS_RESULT},
    {KEY_SCENE_RESULT, APP_KEY_ENTER, KEY_ACTION_PRESS_RESULT},
};

bool is_arrow(AppKey key) {
    return key >= KEY_RIGHT && key <= KEY_UP;
}

// Held for a shortcut such as Alt+Enter: alone they mean nothing.
bool is_modifier(int glfw_key) {
    return glfw_key >= GLFW_KEY_LEFT_SHIFT && glfw_key <= GLFW_KEY_RIGHT_SUPER;
}

}  // namespace

KeyAction route_key(const KeyContext& context, int glfw_key, int action, int mods) {
    if (action != GLFW_PRESS && action != GLFW_REPEAT) return KEY_ACTION_NONE;
    KeyCommand shell_command = key_command(glfw_key, GLFW_PRESS, mods);
    if (context.scene == KEY_SCENE_PAUSED) {
        bool shells = shell_command != KEY_COMMAND_NONE && shell_command != KEY_COMMAND_HINT;
        if (action != GLFW_PRESS || shells || is_modifier(glfw_key)) return KEY_ACTION_NONE;
        return KEY_ACTION_RESUME;
    }
    if (shell_command != KEY_COMMAND_NONE) return KEY_ACTION_NONE;
    AppKey key = map_glfw_key(glfw_key);
    if (action == GLFW_REPEAT && !is_arrow(key)) return KEY_ACTION_NONE;
    if (key == APP_KEY_ENTER && mods != 0) return KEY_ACTION_NONE;  // only Alt+Enter has a meaning

    KeyAction routed = KEY_ACTION_NONE;
    for (const KeyRoute& route : key_routes)
        if (route.scene == context.scene && route.key == key) routed = route.action;
    if (routed == KEY_ACTION_NEXT && !context.next_shown) return KEY_ACTION_PRESS_CELL;
    if (context.scene == KEY_SCENE_TUTORIAL && routed == KEY_ACTION_CLOSE && !context.close_shown)
        return KEY_ACTION_NONE;
    return routed;
}

bool take_game_key(int glfw_key, int action, int mods) {
    // As for a mouse press: the wait is spent first, so an animation the
    // key starts begins now, and the key meets the state of this moment.
    if (action != GLFW_RELEASE) catch_up_idle_time();
    KeyAction routed = route_key(key_context(), glfw_key, action, mods);
    if (routed == KEY_ACTION_NONE) return false;
    run_key_action(routed);
    return true;
}
