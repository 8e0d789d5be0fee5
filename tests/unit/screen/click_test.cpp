// click_test.cpp - presses and releases on the board: selecting, matching by
// two presses or by dragging, keeping and dropping the selection, removing
// cells, the menu button, the popups' order and the removal animation; the
// hint key's bounce.
#include "game_fixture.h"
#include "screen/board_cursor.h"
#include "screen/hint.h"
#include "screen/keyboard.h"
#include "screen/pause.h"
#include "ui/overlays.h"

#include <fstream>
#include <iterator>


namespace {

// Level 3 (regular) on a 4 x 2 board:
//   row 1:  1 2 2 3      cells  7  8  9 10
//   row 2:  4 1 4 3      cells 13 14 15 16
// The 1s cannot connect (2s and 4s wall them in); 2 and 2, 3 and 3 touch;
// the 4s connect around the 1 between them through the empty bottom row.
Board crossed_board() {
    return board_from(6, 4, {0, 0, 0, 0, 0, 0,  //
                             0, 1, 2, 2, 3, 0,  //
                             0, 4, 1, 4, 3, 0,  //
                             0, 0, 0, 0, 0, 0});
}

class Click : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        play_board(3, crossed_board());
    }
};

class Removal : public Click {};
class ClickRouting : public Click {};
class Hint : public Click {};

std::string saved_bytes() {
    EXPECT_TRUE(save_progress());
    std::ifstream in("autosave", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(Click, APressSelectsAndBouncesTheTile) {
    press_cell(7, /*left=*/false);  // the right button acts the same
    EXPECT_TRUE(level_state.selected);
    EXPECT_EQ(level_state.selected_cell, 7);
    EXPECT_EQ(view.draw_layer[7], 1);
    ASSERT_NE(find_tween("tile7_bounce"), nullptr);
    frames(3);
    EXPECT_GT(cell_sprites()[7].scale, 0.0f);
    frames_for(tile_bounce_duration);
    EXPECT_EQ(find_tween("tile7_bounce"), nullptr);
    EXPECT_EQ(cell_sprites()[7].scale, 0.0f);
    EXPECT_EQ(view.draw_layer[7], 0);
}

TEST_F(Click, ARepeatedBounceNeverRatchetsTheScale) {
    press_cell(7);
    frames(4);
    ASSERT_GT(cell_sprites()[7].scale, 0.0f);
    press_cell(7);  // the same tile again: still selected, bounces anew
    EXPECT_TRUE(level_state.selected);
    EXPECT_EQ(level_state.selected_cell, 7);
    EXPECT_EQ(find_tween("tile7_bounce")->from, 0.0f);
    frames_for(tile_bounce_duration);
    EXPECT_EQ(cell_sprites()[7].scale, 0.0f);
}

TEST_F(Click, APressOnAnotherKindMovesTheSelection) {
    press_cell(7);
    press_cell(14);  // the other 1, walled in: not connectable
    EXPECT_TRUE(level_state.selected);
    EXPECT_EQ(level_state.selected_cell, 14);
    EXPECT_EQ(board.cells[7], 1);
    press_cell(8);
    EXPECT_EQ(level_state.selected_cell, 8);
}

TEST_F(Click, DraggingFromOneTileToItsPartnerRemovesThePair) {
    press_cell(8);
    release_cell(9);
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(board.cells[8], 0);
    EXPECT_EQ(board.cells[9], 0);
    EXPECT_EQ(level_state.removing[8] + level_state.removing[9], 2);
    EXPECT_EQ(view.draw_layer[8], 1);
    EXPECT_EQ(view.draw_layer[9], 2);
    EXPECT_EQ(level_state.removing_count, 2);
    EXPECT_EQ(match_count, 1);
    EXPECT_EQ(view.line_point_count, 2);
    EXPECT_EQ(view.line_points[0].x, cell_home_position(8).x);
    EXPECT_EQ(view.line_points[1].x, cell_home_position(9).x);
    EXPECT_NE(find_tween("line_alpha"), nullptr);
    EXPECT_NE(find_tween("line_scale"), nullptr);
}

TEST_F(Click, AReleaseOverAnUnconnectableTileKeepsTheSelection) {
    press_cell(7);
    release_cell(14);
    EXPECT_TRUE(level_state.selected);
    EXPECT_EQ(level_state.selected_cell, 7);
    EXPECT_EQ(board.cells[14], 1);
    release_cell(8);  // a release never selects
    EXPECT_EQ(level_state.selected_cell, 7);
}

TEST_F(Click, APathAroundATileHasTwoCorners) {
    press_cell(13);
    press_cell(15);
    EXPECT_EQ(board.cells[13] + board.cells[15], 0);
    ASSERT_EQ(view.line_point_count, 4);
    EXPECT_EQ(view.line_points[1].y,
              cell_home_position(19).y);  // through the bottom frame row
}

TEST_F(Click, PressesOutsideTheBoardDropTheSelectionInsideKeepIt) {
    press_cell(7);
    // Between the frame's corner cell and the first tile: inside the board.
    Vec2 corner = cell_screen_position(0), first = cell_screen_position(7);
    press_at((corner.x + first.x) / 2, (corner.y + first.y) / 2);
    EXPECT_TRUE(level_state.selected);
    Vec2 last = cell_screen_position(23);
    press_at(last.x + 5, last.y + 5);  // past the board's far corner
    EXPECT_FALSE(level_state.selected);

    press_cell(7);
    press_at(corner.x - 1, first.y);
    EXPECT_FALSE(level_state.selected);
}

TEST_F(Click, TileEdgesBelongToNoCell) {
    Vec2 c = cell_screen_position(7);
    float half = TILE_SIZE * board_scale() / 2;
    EXPECT_EQ(cell_at_point(c.x, c.y), 7);
    EXPECT_EQ(cell_at_point(c.x + half - 0.01f, c.y), 7);
    EXPECT_EQ(cell_at_point(c.x + half, c.y), -1);
    EXPECT_EQ(cell_at_point(c.x, c.y - half), -1);
}

TEST_F(Removal, CellsBeingRemovedAreEmptyForPressesAndPaths) {
    press_cell(8);
    press_cell(9);
    ASSERT_TRUE(level_state.removing[8]);
    press_cell(8);
    EXPECT_FALSE(level_state.selected) << "a removing cell cannot be selected";
    press_cell(7);
    press_cell(8);
    EXPECT_TRUE(level_state.selected) << "nor does a press on it drop the selection";
    EXPECT_EQ(level_state.selected_cell, 7);
}

TEST_F(Removal, TheTweenChainShrinksToNothingAndEndsOnce) {
    press_cell(10);
    press_cell(16);
    TweenSlot* slot = find_tween("tile10_bounce");
    ASSERT_NE(slot, nullptr);
    frames_for(tile_remove_duration1);
    EXPECT_EQ(find_tween("tile10_bounce"), slot) << "the same slot runs the second phase";
    EXPECT_EQ(slot->to, -1.0f);
    EXPECT_NEAR(slot->from, tile_bounce_extra_scale, 1e-6);
    EXPECT_EQ(board.tile_count, 8);
    frames_for(tile_remove_duration2);
    EXPECT_EQ(find_tween("tile10_bounce"), nullptr);
    EXPECT_EQ(cell_sprites()[10].scale, -1.0f);
    EXPECT_EQ(cell_sprites()[16].scale, -1.0f);
    EXPECT_EQ(board.tile_count, 6);
    EXPECT_EQ(level_state.removing_count, 0);
    EXPECT_EQ(level_state.removing[10] + level_state.removing[16] + view.draw_layer[10] + view.draw_layer[16],
              0);
    frames(30);
    EXPECT_EQ(board.tile_count, 6) << "each tile is counted off once";
    EXPECT_EQ(view.line_alpha, 0.0f) << "the line has faded";
}

TEST_F(Removal, FinishesEvenWhenNoTweenSlotIsFree) {
    float sink = 0;
    while (start_tween("filler", &sink, 0, 1, 100, ease_out_sine)) {
    }
    press_cell(8);
    press_cell(9);
    EXPECT_EQ(board.cells[8] + board.cells[9], 0);
    EXPECT_EQ(board.tile_count, 6);
    EXPECT_EQ(level_state.removing_count, 0);
    EXPECT_EQ(level_state.removing[8] + level_state.removing[9], 0);
    EXPECT_EQ(cell_sprites()[8].scale, -1.0f);
}

TEST_F(Removal, StatisticsCountPairsAndTheFastestOne) {
    frames(60);
    press_cell(8);
    press_cell(9);
    EXPECT_NEAR(best_match_time, 1.0f, 0.02f);
    EXPECT_EQ(time_since_match, 0.0f);
    frames(30);
    press_cell(10);
    press_cell(16);
    EXPECT_NEAR(best_match_time, 0.5f, 0.02f);
    EXPECT_EQ(match_count, 2);
}

TEST_F(ClickRouting, TheBoardIgnoresEverythingOnceTheBudgetIsSpent) {
    pairs_countdown = true;
    level_state.pair_budget = 0;
    press_cell(7);
    EXPECT_FALSE(level_state.selected);
    press_at(logical_width - 40, 40);  // the menu button neither
    EXPECT_EQ(overlay_open(OVERLAY_MENU_PANEL), 0);
}

TEST_F(ClickRouting, TheMenuButtonOpensTheMenuWhichThenTakesEveryPress) {
    float x = logical_width + menu_button_rel_pos.x - menu_button_size.x / 2;
    float y = menu_button_rel_pos.y + menu_button_size.y / 2;
    EXPECT_TRUE(menu_button_hit(x, y));
    EXPECT_TRUE(menu_button_hit(x + menu_button_size.x / 2, y));  // edges count
    EXPECT_FALSE(menu_button_hit(x + menu_button_size.x / 2 + 1, y));
    press_at(x, y);
    EXPECT_EQ(overlay_open(OVERLAY_MENU_PANEL), 1);
    press_cell(7);
    EXPECT_FALSE(level_state.selected);
}

TEST_F(ClickRouting, PopupsTakePressesBeforeTheBoard) {
    open_overlay(OVERLAY_WIN2_POPUP);
    win2_popup_ready = false;
    press_cell(7);
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(overlay_open(OVERLAY_WIN2_POPUP), 1) << "not before its pictures have appeared";
    close_overlay(OVERLAY_WIN2_POPUP);

    open_overlay(OVERLAY_LOSE_POPUP);
    lose_popup_input_delay = 0.1f;
    press_cell(7);
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(overlay_open(OVERLAY_LOSE_POPUP), 1);
}

TEST_F(ClickRouting, ThePracticeBoardsTakePressesBeforeAReopenedWinPopup) {
    open_overlay(OVERLAY_WIN_POPUP);
    tutorial_active = true;
    press_at(1, 1);
    EXPECT_EQ(overlay_open(OVERLAY_WIN_POPUP), 1);
    EXPECT_EQ(level, 3) << "the level must not advance under the tutorial";
}

TEST_F(Hint, BouncesTheFirstPairTheMoveSearchFindsAndChangesNothingElse) {
    std::string before = saved_bytes();
    EXPECT_TRUE(show_hint());
    // The 1s (cells 7 and 14) are walled in; the 2s come next in index order.
    EXPECT_NE(find_tween("tile8_bounce"), nullptr);
    EXPECT_NE(find_tween("tile9_bounce"), nullptr);
    EXPECT_EQ(find_tween("tile7_bounce"), nullptr);
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(saved_bytes(), before);  // before any frame adds play time
    frames_for(tile_bounce_duration);
    EXPECT_EQ(cell_sprites()[8].scale, 0.0f);
    EXPECT_EQ(board.cells[8], 2);
    EXPECT_EQ(match_count, 0);
}

TEST_F(Hint, KeepsASelectionAndItsPairStillMatches) {
    press_cell(10);
    EXPECT_TRUE(show_hint());
    EXPECT_TRUE(level_state.selected);
    EXPECT_EQ(level_state.selected_cell, 10);
    press_cell(16);
    EXPECT_EQ(board.cells[10] + board.cells[16], 0);
}

TEST_F(Hint, NothingInChallengesTheTutorialPopupsMenuOrWithoutAPair) {
    for (int which = 0; which < OVERLAY_COUNT; which++) {
        open_overlay(Overlay(which));
        EXPECT_FALSE(show_hint());
        close_overlay(Overlay(which));
    }
    tutorial_active = true;
    EXPECT_FALSE(show_hint());
    tutorial_active = false;
    EXPECT_EQ(find_tween("tile8_bounce"), nullptr);

    play_board(10, crossed_board());  // Time Challenge
    EXPECT_FALSE(show_hint());
    play_board(20, crossed_board());  // Pairs Countdown
    EXPECT_FALSE(show_hint());
    EXPECT_EQ(find_tween("tile8_bounce"), nullptr);

    play_board(3, board_from(4, 3, {0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(show_hint());
}

TEST(BoardCursor, StepsOverInnerCellsAndStopsAtTheFrame) {
    // A 6 x 4 board: inner columns 1..4, rows 1..2.
    EXPECT_EQ(cursor_step(7, 6, 4, CURSOR_LEFT), 7);
    EXPECT_EQ(cursor_step(7, 6, 4, CURSOR_UP), 7);
    EXPECT_EQ(cursor_step(7, 6, 4, CURSOR_RIGHT), 8);
    EXPECT_EQ(cursor_step(7, 6, 4, CURSOR_DOWN), 13);
    EXPECT_EQ(cursor_step(16, 6, 4, CURSOR_RIGHT), 16);
    EXPECT_EQ(cursor_step(16, 6, 4, CURSOR_DOWN), 16);
    EXPECT_EQ(cursor_step(0, 2, 2, CURSOR_RIGHT), 0);  // no inner cell at all
    EXPECT_EQ(cursor_start_cell(false, 16, 6, 4), 7);
    EXPECT_EQ(cursor_start_cell(true, 16, 6, 4), 16);
    EXPECT_EQ(cursor_start_cell(true, 5, 6, 4), 7);  // a frame cell is no start
}

TEST_F(Click, TheCursorShowsFirstThenPressesCellsAsTheMouseDoes) {
    run_key_action(KEY_ACTION_CURSOR_RIGHT);  // only shows, on the top-left cell
    EXPECT_EQ(board_cursor.cell, 7);
    EXPECT_TRUE(key_focus.shown);
    run_key_action(KEY_ACTION_CURSOR_RIGHT);
    run_key_action(KEY_ACTION_PRESS_CELL);
    EXPECT_TRUE(level_state.selected);
    EXPECT_EQ(level_state.selected_cell, 8);
    ASSERT_NE(find_tween("tile8_bounce"), nullptr);
    run_key_action(KEY_ACTION_CURSOR_RIGHT);
    run_key_action(KEY_ACTION_PRESS_CELL);
    EXPECT_EQ(board.cells[8] + board.cells[9], 0);
    key_focus.shown = false;  // as a mouse press leaves it
    run_key_action(KEY_ACTION_CURSOR_DOWN);
    EXPECT_EQ(board_cursor.cell, 9);  // shown again where it was
}

TEST_F(Click, APausedLevelStandsStillAndAPressOnlyResumesIt) {
    play_board(10, crossed_board());  // Time Challenge
    press_cell(7);
    ASSERT_TRUE(clock_running());
    uint16_t left = level_state.time_left;
    run_key_action(KEY_ACTION_PAUSE);
    ASSERT_EQ(key_context().scene, KEY_SCENE_PAUSED);
    frames_for(3.0f);
    EXPECT_EQ(level_state.time_left, left);
    EXPECT_NE(find_tween("tile7_bounce"), nullptr);  // its bounce waits too
    press_cell(8);  // resumes; neither it nor its release touches the board
    release_cell(8);
    EXPECT_FALSE(level_paused());
    EXPECT_EQ(level_state.selected_cell, 7);
    frames_for(2.0f);
    EXPECT_LT(level_state.time_left, left);
}
