// tutorial_flow_test.cpp - the three practice boards played through the real
// click handling and frame update: what the help popup offers at each
// step, walls, the demonstration line, and getting the level back exactly.
#include "ui/overlays.h"
#include "unit/ui/panels_fixture.h"

namespace {

const Vec2 NEXT = {270, PanelsLayout::NEXT_Y};
const Vec2 CLOSE = {270, PanelsLayout::CLOSE_Y};

class PracticeBoards : public PanelsTest {
protected:
    void SetUp() override {
        PanelsTest::SetUp();
        play_board(3, three_pairs_board());
    }

    // Opens the tutorial the way the player does after the first time.
    void open_from_menu() {
        open_menu_panel();
        const char* help = menu_panel_hit(PanelsLayout::MENU_X, PanelsLayout::HELP_Y);
        run_ui_action(menu_panel_action(help));
    }

    void press(Vec2 p) { press_at(p.x, p.y); }

    // Clears the current practice board, kind 2 first.
    void clear_step() {
        static const int pairs[3][4] = {{20, 21, 13, 16}, {14, 22, 9, 19}, {26, 28, 13, 16}};
        const int* p = pairs[tutorial.step - 1];
        remove_pair(p[0], p[1]);
        remove_pair(p[2], p[3]);
    }
};

std::string texture_name(const CellSprite& s) {
    return s.texture ? s.texture->name : "(none)";
}

}  // namespace

TEST_F(PracticeBoards, FirstStartShowsTheStraightLineBoardWithoutNextButton) {
    tutorial_done = 0;
    start_tutorial();
    ASSERT_TRUE(tutorial_active);
    EXPECT_EQ(tutorial.step, 1);
    EXPECT_EQ(tutorial.step_count, 3);
    EXPECT_FALSE(tutorial.next_shown);
    EXPECT_FALSE(tutorial.close_shown);
    EXPECT_EQ(board.width, 6);
    EXPECT_EQ(board.height, 6);
    EXPECT_EQ(board.tile_count, 4);
    EXPECT_NE(cell_sprites(), view.level_sprites);
    // Pictures of the first set whatever the level's set; walls have none.
    EXPECT_EQ(texture_name(cell_sprites()[13]), "tiles/01/01.png");
    EXPECT_EQ(texture_name(cell_sprites()[16]), "tiles/01/01.png");
    EXPECT_EQ(texture_name(cell_sprites()[20]), "tiles/01/02.png");
    EXPECT_EQ(texture_name(cell_sprites()[7]), "(none)");
    EXPECT_TRUE(is_tutorial_wall(7));
    EXPECT_FALSE(is_tutorial_wall(13));
    EXPECT_FALSE(is_tutorial_wall(0));
    ASSERT_EQ(tutorial.demo_count, 2);
    EXPECT_EQ(tutorial.demo_cells[0], 13);
    EXPECT_EQ(tutorial.demo_cells[1], 16);
    Vec2 end = cell_home_position(16);
    EXPECT_FLOAT_EQ(tutorial.demo_points[1].x, end.x);
    EXPECT_FLOAT_EQ(tutorial.demo_points[1].y, end.y);
    EXPECT_FLOAT_EQ(view.demo_alpha, 1.0f);
}

TEST_F(PracticeBoards, FirstTutorialClosesOnlyAfterTheThirdBoardIsCleared) {
    tutorial_done = 0;
    start_tutorial();
    press(NEXT);  // no next button at the first start
    EXPECT_EQ(tutorial.step, 1);

    clear_step();
    EXPECT_EQ(tutorial.step, 2);
    EXPECT_FALSE(tutorial.next_shown);
    EXPECT_EQ(board.tile_count, 4);
    ASSERT_EQ(tutorial.demo_count, 3);  // one turn, corner at cell 7
    EXPECT_EQ(tutorial.demo_cells[1], 7);

    clear_step();
    EXPECT_EQ(tutorial.step, 3);
    EXPECT_EQ(board.height, 7);
    EXPECT_EQ(tutorial.demo_count, 4);  // two turns through row 1
    EXPECT_FALSE(tutorial.close_shown);
    press(CLOSE);
    EXPECT_TRUE(tutorial_active);

    remove_pair(26, 28);
    EXPECT_FALSE(tutorial.close_shown);
    remove_pair(13, 16);
    EXPECT_EQ(tutorial.step, 3);
    EXPECT_TRUE(tutorial.close_shown);
    EXPECT_FALSE(std::filesystem::exists("autosave"));

    press(CLOSE);
    EXPECT_FALSE(tutorial_active);
    EXPECT_EQ(tutorial_done, 1);
    EXPECT_TRUE(std::filesystem::exists("autosave"));
}

TEST_F(PracticeBoards, FromTheMenuNextIsShownAndCloseComesAtOnceOnTheThirdBoard) {
    open_from_menu();
    ASSERT_TRUE(tutorial_active);
    EXPECT_FALSE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_TRUE(tutorial.next_shown);
    EXPECT_FALSE(tutorial.close_shown);

    press(NEXT);
    EXPECT_EQ(tutorial.step, 2);
    EXPECT_TRUE(tutorial.next_shown);
    // Clearing a board moves on as well.
    clear_step();
    EXPECT_EQ(tutorial.step, 3);
    EXPECT_FALSE(tutorial.next_shown);
    EXPECT_TRUE(tutorial.close_shown);
    press(NEXT);  // gone on the last board
    EXPECT_EQ(tutorial.step, 3);

    press(CLOSE);
    EXPECT_FALSE(tutorial_active);
}

TEST_F(PracticeBoards, ClosingGivesBackExactlyTheLevelBoard) {
    unload_tile_set(0);
    play_board(25, three_pairs_board());  // third tile set
    remove_pair(9, 10);
    press_cell(11);  // a selection, dropped by the tutorial
    frames_for(tile_bounce_duration);
    const Board level_board = board;
    ASSERT_EQ(level_board.tile_count, 4);
    CellSprite level_copy[BOARD_MAX_CELLS];
    memcpy(level_copy, view.level_sprites, sizeof level_copy);
    const std::multiset<std::string> textures = loaded_texture_names();
    ASSERT_FALSE(tile_set_loaded(0));

    open_from_menu();
    EXPECT_FALSE(level_state.selected);
    EXPECT_TRUE(tile_set_loaded(0));
    const Board* aside = tutorial_set_aside_board();
    ASSERT_NE(aside, nullptr);
    EXPECT_EQ(memcmp(aside, &level_board, sizeof level_board), 0);

    remove_pair(20, 21);
    press(NEXT);
    press_cell(14);  // a selection left on the practice board
    press(NEXT);
    press_cell(26);
    press(CLOSE);

    ASSERT_FALSE(tutorial_active);
    EXPECT_EQ(memcmp(&board, &level_board, sizeof board), 0);
    EXPECT_EQ(cell_sprites(), view.level_sprites);
    EXPECT_EQ(memcmp(view.level_sprites, level_copy, sizeof level_copy), 0);
    // The first set was loaded only for the tutorial and is gone again.
    EXPECT_EQ(loaded_texture_names(), textures);
    EXPECT_EQ(tutorial_set_aside_board(), nullptr);
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(level_state.removing_count, 0);
    for (int i = 0; i < BOARD_MAX_CELLS; i++) {
        EXPECT_EQ(level_state.removing[i], 0);
        EXPECT_EQ(view.draw_layer[i], 0);
    }
    EXPECT_FLOAT_EQ(view.demo_alpha, 0.0f);
    EXPECT_EQ(find_tween("line_alpha"), nullptr);
}

TEST_F(PracticeBoards, TheLevelsOwnFirstSetStaysLoadedAfterClosing) {
    ASSERT_TRUE(tile_set_loaded(0));  // level 3 plays the first set
    const std::multiset<std::string> textures = loaded_texture_names();
    open_from_menu();
    press(NEXT);
    press(NEXT);
    press(CLOSE);
    EXPECT_EQ(loaded_texture_names(), textures);
    EXPECT_NE(view.level_sprites[9].texture, nullptr);
    EXPECT_EQ(find_texture("tiles/01/01.png"), view.level_sprites[9].texture);
}

TEST_F(PracticeBoards, WallsNeitherSelectNorDeselect) {
    open_from_menu();
    press_cell(7);  // a wall with nothing selected
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(find_tween("tile7_bounce"), nullptr);

    press_cell(13);
    ASSERT_TRUE(level_state.selected);
    press_cell(7);
    press_cell(19);
    EXPECT_TRUE(level_state.selected);
    EXPECT_EQ(level_state.selected_cell, 13);
    // An empty cell outside the tiles still drops it, as on a level.
    press_cell(0);
    EXPECT_FALSE(level_state.selected);
}

TEST_F(PracticeBoards, PairsOfKindTwoMayGoFirstAndKeepTheDemonstration) {
    open_from_menu();
    remove_pair(20, 21);
    EXPECT_EQ(board.cells[20], 0);
    EXPECT_EQ(board.cells[21], 0);
    EXPECT_EQ(board.tile_count, 2);
    EXPECT_FLOAT_EQ(view.demo_alpha, 1.0f);
    EXPECT_EQ(find_tween("help_popup_line_alpha"), nullptr);
}

TEST_F(PracticeBoards, TheDemonstrationLineFadesWhenItsPairIsRemovedInEitherOrder) {
    open_from_menu();
    press(NEXT);
    ASSERT_EQ(tutorial.step, 2);
    remove_pair(14, 22);
    EXPECT_FLOAT_EQ(view.demo_alpha, 1.0f);

    press_cell(9);  // the demonstrated pair is 19 and 9
    press_cell(19);
    TweenSlot* fade = find_tween("help_popup_line_alpha");
    ASSERT_NE(fade, nullptr);
    EXPECT_FLOAT_EQ(fade->from, 1.0f);
    EXPECT_FLOAT_EQ(fade->to, 0.0f);
    EXPECT_FLOAT_EQ(fade->duration, tile_remove_duration1);
    frames(2);
    EXPECT_LT(view.demo_alpha, 1.0f);
    EXPECT_GT(view.demo_alpha, 0.0f);
    // The step changes when the board empties: the next one shows its line.
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(tutorial.step, 3);
    EXPECT_FLOAT_EQ(view.demo_alpha, 1.0f);
}

TEST_F(PracticeBoards, ARemovalRunningWhenTheTutorialOpensIsFinishedWhenItCloses) {
    press_cell(9);
    press_cell(10);
    ASSERT_EQ(level_state.removing_count, 2);
    open_from_menu();
    EXPECT_EQ(level_state.removing_count, 0);
    EXPECT_EQ(board.tile_count, 4);
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_EQ(board.tile_count, 4);  // the level's removal never touches it
    press(NEXT);
    press(NEXT);
    press(CLOSE);
    EXPECT_EQ(board.tile_count, 4);
    EXPECT_EQ(level_state.removing_count, 0);
    EXPECT_EQ(level_state.removing[9] + level_state.removing[10], 0);
    EXPECT_FALSE(overlay_open(OVERLAY_WIN_POPUP));
}

TEST_F(PracticeBoards, ALastPairRemovedJustBeforeTheTutorialStillWinsTheLevel) {
    Board one_pair = {};
    one_pair.width = 4;
    one_pair.height = 3;
    one_pair.cells[5] = one_pair.cells[6] = 1;
    one_pair.tile_count = 2;
    play_board(3, one_pair);
    press_cell(5);
    press_cell(6);
    open_from_menu();
    frames_for(tile_remove_duration1 + tile_remove_duration2);
    EXPECT_FALSE(overlay_open(OVERLAY_WIN_POPUP));
    press(NEXT);
    press(NEXT);
    press(CLOSE);
    EXPECT_EQ(board.tile_count, 0);
    EXPECT_TRUE(overlay_open(OVERLAY_WIN_POPUP));
}

TEST_F(PracticeBoards, TilesStoppedMidBounceOrSlideComeBackAtRest) {
    open_menu_panel();
    run_ui_action(menu_panel_action("shuffle"));  // every tile starts sliding
    ASSERT_NE(view.shuffling[9] + view.shuffling[10] + view.shuffling[11], 0);
    press_cell(9);  // and one bounces
    frames(3);
    open_from_menu();
    press(NEXT);
    press(NEXT);
    press(CLOSE);
    for (int i = 0; i < board.width * board.height; i++) {
        EXPECT_EQ(view.shuffling[i], 0) << "cell " << i;
        if (board.cells[i]) EXPECT_FLOAT_EQ(view.level_sprites[i].scale, 0.0f) << "cell " << i;
    }
    EXPECT_EQ(find_tween("tile9_shuffle_x"), nullptr);
}
