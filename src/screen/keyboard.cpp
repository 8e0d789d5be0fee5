// keyboard.cpp - the keys' actions carried out on the open popup or panel,
// the board cursor or the pause plate.
#include "screen/keyboard.h"

#include "board/tutorial.h"
#include "screen/board_cursor.h"
#include "screen/click.h"
#include "screen/pause.h"
#include "ui/key_focus.h"
#include "ui/overlays.h"
#include "ui/popups.h"

KeyContext key_context() {
    KeyContext context = {KEY_SCENE_BOARD, false, false};
    if (level_paused())
        context.scene = KEY_SCENE_PAUSED;
    else if (overlay_open(OVERLAY_SETTINGS_POPUP))
        context.scene = KEY_SCENE_SETTINGS;
    else if (tutorial_active)
        context.scene = KEY_SCENE_TUTORIAL;
    else if (overlay_open(OVERLAY_WIN_POPUP) || overlay_open(OVERLAY_WIN2_POPUP) ||
             overlay_open(OVERLAY_LOSE_POPUP))
        context.scene = KEY_SCENE_RESULT;
    else if (overlay_open(OVERLAY_MENU_PANEL))
        context.scene = KEY_SCENE_MENU;
    context.next_shown = tutorial_active && tutorial.next_shown;
    context.close_shown = tutorial_active && tutorial.close_shown;
    return context;
}

namespace {

// Up and Down over the open menu or settings; a hidden highlight first
// only shows.
void move_highlight(int delta) {
    if (!show_key_focus()) return;
    if (overlay_open(OVERLAY_SETTINGS_POPUP))
        step_settings_item(delta);
    else if (overlay_open(OVERLAY_MENU_PANEL))
        step_menu_item(delta);
}

void press_highlight() {
    if (!show_key_focus()) return;
    if (overlay_open(OVERLAY_SETTINGS_POPUP))
        settings_popup_press(key_focus.settings_item);
    else if (overlay_open(OVERLAY_MENU_PANEL))
        run_ui_action(menu_panel_press(key_focus.menu_item));
}

void close_open_overlay() {
    if (overlay_open(OVERLAY_SETTINGS_POPUP))
        settings_popup_press(SETTINGS_ITEM_CLOSE);
    else if (tutorial_active)
        run_ui_action(help_popup_press_close());
    else if (overlay_open(OVERLAY_MENU_PANEL))
        run_ui_action(menu_panel_action("close"));
}

// The press a result popup takes from the mouse, whatever its place.
void press_result_popup() {
    if (overlay_open(OVERLAY_WIN_POPUP))
        run_ui_action(win_popup_click());
    else if (overlay_open(OVERLAY_WIN2_POPUP))
        run_ui_action(win2_popup_click());
    else if (overlay_open(OVERLAY_LOSE_POPUP))
        run_ui_action(lose_popup_click());
}

}  // namespace

void run_key_action(KeyAction action) {
    switch (action) {
        case KEY_ACTION_NONE:
            break;
        case KEY_ACTION_CURSOR_LEFT:
            move_board_cursor(CURSOR_LEFT);
            break;
        case KEY_ACTION_CURSOR_RIGHT:
            move_board_cursor(CURSOR_RIGHT);
            break;
        case KEY_ACTION_CURSOR_UP:
            move_board_cursor(CURSOR_UP);
            break;
        case KEY_ACTION_CURSOR_DOWN:
            move_board_cursor(CURSOR_DOWN);
            break;
        case KEY_ACTION_PRESS_CELL:
            press_board_cursor();
            break;
        case KEY_ACTION_OPEN_MENU:
            show_key_focus();
            open_menu_panel();
            break;
        case KEY_ACTION_PAUSE:
            pause_level();
            break;
        case KEY_ACTION_RESUME:
            resume_level();
            break;
        case KEY_ACTION_HIGHLIGHT_UP:
            move_highlight(-1);
            break;
        case KEY_ACTION_HIGHLIGHT_DOWN:
            move_highlight(+1);
            break;
        case KEY_ACTION_PRESS_HIGHLIGHT:
            press_highlight();
            break;
        case KEY_ACTION_CLOSE:
            close_open_overlay();
            break;
        case KEY_ACTION_NEXT:
            run_ui_action(help_popup_press_next());
            break;
        case KEY_ACTION_PRESS_RESULT:
            press_result_popup();
            break;
    }
}
