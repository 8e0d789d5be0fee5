// window_input.cpp - the window callbacks: keys, mouse buttons, framebuffer
// size, minimising and focus, and switching between windowed and
// full-screen display.
#include "app/display.h"
#include "app/input.h"
#include "app/key_routing.h"
#include "app/shell.h"
#include "platform/platform.h"
#include "platform/window_metrics.h"
#include "render/shader.h"
#include "screen/click.h"
#include "screen/game_state.h"
#include "screen/hint.h"
#include "ui/key_focus.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

// Why the window is away, if it is; window_away is set while either holds.
static struct {
    bool iconified, unfocused;
} away;

void toggle_fullscreen() {
    if (platform_toggle_page_full_screen()) return;
    if (glfwGetWindowMonitor(shell.window)) {
        glfwSetWindowMonitor(shell.window, nullptr, shell.windowed_rect.x, shell.windowed_rect.y,
                             shell.windowed_rect.width, shell.windowed_rect.height, 0);
        return;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (!monitor) return;
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (!mode) return;
    glfwGetWindowPos(shell.window, &shell.windowed_rect.x, &shell.windowed_rect.y);
    glfwGetWindowSize(shell.window, &shell.windowed_rect.width, &shell.windowed_rect.height);
    glfwSetWindowMonitor(shell.window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
}

static void on_key(GLFWwindow* window, int key, int scancode, int action, int mods) {
    request_frame();
    if (take_game_key(key, action, mods)) return;
    switch (key_command(key, action, mods)) {
        case KEY_COMMAND_TOGGLE_FULLSCREEN:
            toggle_fullscreen();
            break;
        case KEY_COMMAND_QUIT:
            shell.quit_requested = platform_can_quit();
            break;
        case KEY_COMMAND_HINT:
            catch_up_idle_time();  // the bounce starts now, not an idle wait ago
            show_hint();
            break;
        case KEY_COMMAND_NONE:
            break;
    }
}

static void on_mouse_button(GLFWwindow* window, int button, int action, int mods) {
    if (!mouse_event_is_click(button, action)) return;
    catch_up_idle_time();
    request_frame();
    if (action == GLFW_PRESS) hide_key_focus();  // the cursor and highlights hide
    double x = 0, y = 0;
    glfwGetCursorPos(window, &x, &y);
    int window_w = 0, window_h = 0, buffer_w = 0, buffer_h = 0;
    glfwGetWindowSize(window, &window_w, &window_h);
    glfwGetFramebufferSize(window, &buffer_w, &buffer_h);
    // The board is laid out in logical pixels: a press lands on the same
    // cell at every pixel scale and on a shrunken view alike.
    float lx = window_to_logical((float)x, window_w, buffer_w, drawn_pixel_scale());
    float ly = window_to_logical((float)y, window_h, buffer_h, drawn_pixel_scale());
    handle_click(button == GLFW_MOUSE_BUTTON_LEFT, action == GLFW_PRESS, lx, ly);
}

static void on_framebuffer_size(GLFWwindow* window, int width, int height) {
    resize_viewport((uint16_t)width, (uint16_t)height);
    request_frame();
}

// Dragged to a monitor of another scale: the window library keeps the
// window's pixels, so this is a resize like any other, and the view fits
// the picture to whatever size the system gives the window next.
static void on_content_scale(GLFWwindow* window, float x, float y) {
    int width = 0, height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    on_framebuffer_size(window, width, height);
}

// Exposed, restored or maximised: the window needs its picture again.
static void on_refresh(GLFWwindow* window) {
    request_frame();
}

// The time waited before the change is spent under the state it was in:
// a running clock counts it up to leaving, and not up to coming back.
static void on_iconify(GLFWwindow* window, int iconified) {
    catch_up_idle_time();
    request_frame();
    away.iconified = iconified == GLFW_TRUE;
    set_window_away(away.iconified || away.unfocused);
    if (away.iconified) keep_progress();
}

static void on_focus(GLFWwindow* window, int focused) {
    catch_up_idle_time();
    request_frame();
    away.unfocused = focused != GLFW_TRUE;
    set_window_away(away.iconified || away.unfocused);
}

static void ignore_character(GLFWwindow* window, unsigned int codepoint) {}

static void ignore_cursor_position(GLFWwindow* window, double x, double y) {}

void install_window_callbacks(GLFWwindow* window) {
    glfwSetKeyCallback(window, on_key);
    glfwSetMouseButtonCallback(window, on_mouse_button);
    glfwSetFramebufferSizeCallback(window, on_framebuffer_size);
    glfwSetWindowRefreshCallback(window, on_refresh);
    glfwSetWindowContentScaleCallback(window, on_content_scale);
    glfwSetWindowIconifyCallback(window, on_iconify);
    glfwSetWindowFocusCallback(window, on_focus);
    glfwSetCharCallback(window, ignore_character);
    glfwSetCursorPosCallback(window, ignore_cursor_position);
}
