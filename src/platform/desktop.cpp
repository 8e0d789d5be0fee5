// desktop.cpp - the verbs Linux and Windows share: the game owns its loop,
// its window and its quitting. A browser build uses platform_web.cpp instead.
#include "platform/platform.h"

void platform_run_loop(bool (*pass)()) {
    while (pass()) {
    }
}

bool platform_rest_loop(double) {
    return false;
}

void platform_wake_loop() {}

bool platform_fill_page() {
    return false;
}

bool platform_toggle_page_full_screen() {
    return false;
}

bool platform_can_quit() {
    return true;
}

const char* platform_shader_prologue() {
    return nullptr;
}
