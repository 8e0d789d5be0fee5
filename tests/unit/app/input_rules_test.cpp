// input_rules_test.cpp - key-code translation and what a key or mouse-button
// event means to the game.
#include "app/input.h"
#include "app/key_routing.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <map>

namespace {

TEST(AppKeys, EveryCodeFromOneTo87IsReachedByExactlyOneKey) {
    std::map<int, int> key_of_code;
    for (int key = -1; key <= GLFW_KEY_LAST + 10; key++) {
        AppKey code = map_glfw_key(key);
        if (code == APP_KEY_NONE) continue;
        EXPECT_EQ(key_of_code.count(code), 0u) << "code " << (int)code << " twice";
        key_of_code[code] = key;
    }
    ASSERT_EQ(key_of_code.size(), 87u);
    EXPECT_EQ(key_of_code.begin()->first, 1);
    EXPECT_EQ(key_of_code.rbegin()->first, 87);
}

TEST(AppKeys, RangesMapInOrder) {
    struct {
        int glfw_key;
        int code;
    } cases[] = {
        {GLFW_KEY_SPACE, 1},
        {GLFW_KEY_APOSTROPHE, 2},
        {GLFW_KEY_COMMA, 3},
        {GLFW_KEY_MINUS, 4},
        {GLFW_KEY_PERIOD, 5},
        {GLFW_KEY_SLASH, 6},
        {GLFW_KEY_0, 7},
        {GLFW_KEY_9, 16},
        {GLFW_KEY_SEMICOLON, 17},
        {GLFW_KEY_EQUAL, 18},
        {GLFW_KEY_A, 19},
        {GLFW_KEY_Q, 35},
        {GLFW_KEY_Z, 44},
        {GLFW_KEY_LEFT_BRACKET, 45},
        {GLFW_KEY_BACKSLASH, 46},
        {GLFW_KEY_RIGHT_BRACKET, 47},
        {GLFW_KEY_GRAVE_ACCENT, 48},
        {GLFW_KEY_ESCAPE, 49},
        {GLFW_KEY_ENTER, 50},
        {GLFW_KEY_TAB, 51},
        {GLFW_KEY_DELETE, 54},
        {GLFW_KEY_RIGHT, 55},
        {GLFW_KEY_UP, 58},
        {GLFW_KEY_PAGE_UP, 59},
        {GLFW_KEY_END, 62},
        {GLFW_KEY_CAPS_LOCK, 63},
        {GLFW_KEY_PAUSE, 67},
        {GLFW_KEY_F1, 68},
        {GLFW_KEY_F12, 79},
        {GLFW_KEY_LEFT_SHIFT, 80},
        {GLFW_KEY_LEFT_SUPER, 83},
        {GLFW_KEY_RIGHT_SHIFT, 84},
        {GLFW_KEY_RIGHT_SUPER, 87},
    };
    for (const auto& c : cases) EXPECT_EQ(map_glfw_key(c.glfw_key), c.code) << c.glfw_key;
    EXPECT_EQ(APP_KEY_Q, map_glfw_key(GLFW_KEY_Q));
    EXPECT_EQ(APP_KEY_ENTER, map_glfw_key(GLFW_KEY_ENTER));
}

TEST(AppKeys, KeysWithoutACodeGiveZero) {
    int keys[] = {GLFW_KEY_UNKNOWN,
                  33,
                  40,
                  43,
                  58,
                  60,
                  62,
                  64,
                  94,
                  95,
                  97,
                  255,
                  GLFW_KEY_F13,
                  GLFW_KEY_F25,
                  GLFW_KEY_KP_0,
                  GLFW_KEY_KP_ENTER,
                  GLFW_KEY_MENU,
                  270,
                  279,
                  285,
                  289,
                  1000};
    for (int key : keys) EXPECT_EQ(map_glfw_key(key), APP_KEY_NONE) << key;
}

TEST(KeyCommands, AltEnterAloneTogglesFullScreen) {
    EXPECT_EQ(key_command(GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_ALT), KEY_COMMAND_TOGGLE_FULLSCREEN);
    EXPECT_EQ(key_command(GLFW_KEY_ENTER, GLFW_PRESS, 0), KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_ALT | GLFW_MOD_CONTROL),
              KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_ALT | GLFW_MOD_SHIFT),
              KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_ENTER, GLFW_RELEASE, GLFW_MOD_ALT), KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_ENTER, GLFW_REPEAT, GLFW_MOD_ALT), KEY_COMMAND_NONE);
    // The keypad's Enter has no code, so it does nothing.
    EXPECT_EQ(key_command(GLFW_KEY_KP_ENTER, GLFW_PRESS, GLFW_MOD_ALT), KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_F11, GLFW_PRESS, 0), KEY_COMMAND_TOGGLE_FULLSCREEN);
    EXPECT_EQ(key_command(GLFW_KEY_F11, GLFW_PRESS, GLFW_MOD_ALT), KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_F11, GLFW_RELEASE, 0), KEY_COMMAND_NONE);
}

TEST(KeyCommands, QQuitsWithAnyModifiersButOnlyOnPress) {
    for (int mods : {0, GLFW_MOD_SHIFT, GLFW_MOD_CONTROL, GLFW_MOD_ALT, GLFW_MOD_SUPER})
        EXPECT_EQ(key_command(GLFW_KEY_Q, GLFW_PRESS, mods), KEY_COMMAND_QUIT) << mods;
    EXPECT_EQ(key_command(GLFW_KEY_Q, GLFW_REPEAT, 0), KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_Q, GLFW_RELEASE, 0), KEY_COMMAND_NONE);
}

TEST(KeyCommands, HAsksForAHintOnPressOnly) {
    for (int mods : {0, GLFW_MOD_SHIFT})
        EXPECT_EQ(key_command(GLFW_KEY_H, GLFW_PRESS, mods), KEY_COMMAND_HINT) << mods;
    EXPECT_EQ(key_command(GLFW_KEY_H, GLFW_REPEAT, 0), KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_H, GLFW_RELEASE, 0), KEY_COMMAND_NONE);
    EXPECT_EQ(key_command(GLFW_KEY_G, GLFW_PRESS, 0), KEY_COMMAND_NONE);
}

TEST(KeyCommands, OtherKeysDoNothing) {
    for (int key : {GLFW_KEY_ESCAPE, GLFW_KEY_SPACE, GLFW_KEY_W, GLFW_KEY_F10, GLFW_KEY_LEFT_ALT})
        for (int mods : {0, GLFW_MOD_ALT})
            EXPECT_EQ(key_command(key, GLFW_PRESS, mods), KEY_COMMAND_NONE) << key;
}

TEST(MouseEvents, LeftAndRightPressesAndReleasesAreClicks) {
    for (int button : {GLFW_MOUSE_BUTTON_LEFT, GLFW_MOUSE_BUTTON_RIGHT}) {
        EXPECT_TRUE(mouse_event_is_click(button, GLFW_PRESS));
        EXPECT_TRUE(mouse_event_is_click(button, GLFW_RELEASE));
        EXPECT_FALSE(mouse_event_is_click(button, GLFW_REPEAT));
    }
    for (int button : {GLFW_MOUSE_BUTTON_MIDDLE, GLFW_MOUSE_BUTTON_4, GLFW_MOUSE_BUTTON_LAST}) {
        EXPECT_FALSE(mouse_event_is_click(button, GLFW_PRESS));
        EXPECT_FALSE(mouse_event_is_click(button, GLFW_RELEASE));
    }
}

}  // namespace

namespace {

KeyAction route(KeyScene scene, int key, int action = GLFW_PRESS, int mods = 0) {
    return route_key(KeyContext{scene, false, false}, key, action, mods);
}

TEST(KeyRouting, TheBoardTakesArrowsPressesEscapeAndPause) {
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_LEFT), KEY_ACTION_CURSOR_LEFT);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_DOWN, GLFW_REPEAT), KEY_ACTION_CURSOR_DOWN);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_SPACE), KEY_ACTION_PRESS_CELL);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_ENTER), KEY_ACTION_PRESS_CELL);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_CONTROL),
              KEY_ACTION_NONE);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_ESCAPE), KEY_ACTION_OPEN_MENU);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_P), KEY_ACTION_PAUSE);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_PAUSE), KEY_ACTION_PAUSE);
    // Only arrows repeat; releases, the shell's keys and others mean nothing.
    for (int key : {GLFW_KEY_SPACE, GLFW_KEY_ENTER, GLFW_KEY_P, GLFW_KEY_ESCAPE})
        EXPECT_EQ(route(KEY_SCENE_BOARD, key, GLFW_REPEAT), KEY_ACTION_NONE) << key;
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_LEFT, GLFW_RELEASE), KEY_ACTION_NONE);
    EXPECT_EQ(route(KEY_SCENE_BOARD, GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_ALT), KEY_ACTION_NONE);
    for (int key : {GLFW_KEY_Q, GLFW_KEY_H, GLFW_KEY_W, GLFW_KEY_TAB})
        EXPECT_EQ(route(KEY_SCENE_BOARD, key), KEY_ACTION_NONE) << key;
}

TEST(KeyRouting, OverlaysTakeTheirKeysAndNeverPass) {
    for (KeyScene scene : {KEY_SCENE_MENU, KEY_SCENE_SETTINGS}) {
        EXPECT_EQ(route(scene, GLFW_KEY_UP), KEY_ACTION_HIGHLIGHT_UP);
        EXPECT_EQ(route(scene, GLFW_KEY_DOWN, GLFW_REPEAT), KEY_ACTION_HIGHLIGHT_DOWN);
        EXPECT_EQ(route(scene, GLFW_KEY_ENTER), KEY_ACTION_PRESS_HIGHLIGHT);
        EXPECT_EQ(route(scene, GLFW_KEY_SPACE), KEY_ACTION_PRESS_HIGHLIGHT);
        EXPECT_EQ(route(scene, GLFW_KEY_ESCAPE), KEY_ACTION_CLOSE);
        EXPECT_EQ(route(scene, GLFW_KEY_LEFT), KEY_ACTION_NONE);
    }
    EXPECT_EQ(route(KEY_SCENE_RESULT, GLFW_KEY_ENTER), KEY_ACTION_PRESS_RESULT);
    EXPECT_EQ(route(KEY_SCENE_RESULT, GLFW_KEY_SPACE), KEY_ACTION_PRESS_RESULT);
    // Held Enter moves on by one level, not one per repeat.
    EXPECT_EQ(route(KEY_SCENE_RESULT, GLFW_KEY_ENTER, GLFW_REPEAT), KEY_ACTION_NONE);
    for (KeyScene scene :
         {KEY_SCENE_RESULT, KEY_SCENE_MENU, KEY_SCENE_SETTINGS, KEY_SCENE_TUTORIAL})
        for (int key : {GLFW_KEY_P, GLFW_KEY_PAUSE})
            EXPECT_EQ(route(scene, key), KEY_ACTION_NONE) << scene;
    EXPECT_EQ(route(KEY_SCENE_RESULT, GLFW_KEY_LEFT), KEY_ACTION_NONE);
    EXPECT_EQ(route(KEY_SCENE_RESULT, GLFW_KEY_ESCAPE), KEY_ACTION_NONE);
}

TEST(KeyRouting, TheTutorialsEnterIsNextWhileShownAndEscapeItsCloseButton) {
    KeyContext plain = {KEY_SCENE_TUTORIAL, false, false};
    KeyContext buttons = {KEY_SCENE_TUTORIAL, true, true};
    EXPECT_EQ(route_key(plain, GLFW_KEY_RIGHT, GLFW_PRESS, 0), KEY_ACTION_CURSOR_RIGHT);
    EXPECT_EQ(route_key(plain, GLFW_KEY_SPACE, GLFW_PRESS, 0), KEY_ACTION_PRESS_CELL);
    EXPECT_EQ(route_key(plain, GLFW_KEY_ENTER, GLFW_PRESS, 0), KEY_ACTION_PRESS_CELL);
    EXPECT_EQ(route_key(buttons, GLFW_KEY_ENTER, GLFW_PRESS, 0), KEY_ACTION_NEXT);
    EXPECT_EQ(route_key(plain, GLFW_KEY_ESCAPE, GLFW_PRESS, 0), KEY_ACTION_NONE);
    EXPECT_EQ(route_key(buttons, GLFW_KEY_ESCAPE, GLFW_PRESS, 0), KEY_ACTION_CLOSE);
}

TEST(KeyRouting, APausedLevelResumesOnAnyKeyButTheShellsAndModifiers) {
    for (int key : {GLFW_KEY_P, GLFW_KEY_H, GLFW_KEY_SPACE, GLFW_KEY_LEFT, GLFW_KEY_KP_5})
        EXPECT_EQ(route(KEY_SCENE_PAUSED, key), KEY_ACTION_RESUME) << key;
    EXPECT_EQ(route(KEY_SCENE_PAUSED, GLFW_KEY_Q), KEY_ACTION_NONE);
    EXPECT_EQ(route(KEY_SCENE_PAUSED, GLFW_KEY_F11), KEY_ACTION_NONE);
    EXPECT_EQ(route(KEY_SCENE_PAUSED, GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_ALT), KEY_ACTION_NONE);
    EXPECT_EQ(route(KEY_SCENE_PAUSED, GLFW_KEY_LEFT_ALT), KEY_ACTION_NONE);
    EXPECT_EQ(route(KEY_SCENE_PAUSED, GLFW_KEY_P, GLFW_REPEAT), KEY_ACTION_NONE);
}

}  // namespace
