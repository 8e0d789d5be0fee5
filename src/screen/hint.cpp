// hint.cpp - the hint key: when a hint may show, and bouncing the pair the
// move search found.
#include "screen/hint.h"

#include "board/board.h"
#include "board/level.h"
#include "board/tutorial.h"
#include "screen/click.h"
#include "screen/game_state.h"
#include "ui/overlays.h"

namespace {

// Challenges are meant to be solved unaided; over a panel or popup the
// board is not what the player is looking at.
bool hint_allowed() {
    if (tutorial_active || time_challenge || pairs_countdown) return false;
    return !any_overlay_open() && !no_moves_shown();
}

}  // namespace

bool show_hint() {
    if (!hint_allowed() || !any_move_exists()) return false;
    uint8_t count = connection_path.count;
    if (count < 2 || count > 4) return false;
    bounce_tile(connection_path.points[0]);
    bounce_tile(connection_path.points[count - 1]);
    return true;
}
