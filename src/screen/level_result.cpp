// level_result.cpp - where every level ends: when a removal ends, the clock
// reaches 0 or a save is restored, the rules' level_result comes here, and
// only here does a result popup open.
#include "screen/level_result.h"

#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/tile_textures.h"
#include "ui/overlays.h"
#include "ui/popups.h"

bool result_popup_showing() {
    return overlay_open(OVERLAY_WIN_POPUP) || overlay_open(OVERLAY_WIN2_POPUP) ||
           overlay_open(OVERLAY_LOSE_POPUP);
}

bool finish_level(LevelResult result) {
    if (result == LEVEL_PLAYING || result_popup_showing()) return false;
    // The first-run tutorial comes first: a restored result waits for its
    // end, where end_tutorial asks again.
    if (tutorial_active || !tutorial_done) return false;

    if (overlay_open(OVERLAY_MENU_PANEL) || overlay_open(OVERLAY_PROGRESS_PANEL))
        close_menu_panel();
    // The result is what the player sees next, never something under it.
    close_overlay(OVERLAY_SETTINGS_POPUP);
    // A press held over the board must not complete a pair under the popup.
    level_state.selected = false;
    switch (result) {
        case LEVEL_WON:
            open_win_popup();
            break;
        case LEVEL_SET_COMPLETE:
            if (time_challenge) level_state.time_left = 0;
            stop_clock();
            if (pairs_countdown) set_label_text(&moves_label, "");
            load_tile_set(next_set);
            open_win2_popup();
            break;
        case LEVEL_LOST:
            stop_clock();
            open_lose_popup();
            break;
        case LEVEL_PLAYING:
            break;
    }
    return true;
}
