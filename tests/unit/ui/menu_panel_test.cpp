// menu_panel_test.cpp - the menu panel and the progress panel that opens
// with it: the hit test's edges, the actions, the opening animations and
// the preview pictures the progress panel loads and frees.
#include "audio/sounds.h"
#include "board/level.h"
#include "ui/overlays.h"
#include "ui/progress_panel.h"
#include "unit/board/board_test_util.h"
#include "unit/ui/panels_fixture.h"

namespace {

using L = PanelsLayout;

class MenuPanel : public PanelsTest {
protected:
    void SetUp() override {
        PanelsTest::SetUp();
        play_board(3, three_pairs_board());
    }
    std::string hit(float x, float y) { return menu_panel_hit(x, y); }
};

class ProgressPanel : public MenuPanel {};

}  // namespace

TEST_F(MenuPanel, ButtonEdgesBelongToTheButtons) {
    // Shuffle: x 340..500, y 100..160.
    EXPECT_EQ(hit(340, 130), "shuffle");
    EXPECT_EQ(hit(500, 100), "shuffle");
    EXPECT_EQ(hit(420, 160), "shuffle");
    EXPECT_EQ(hit(339.9f, 130), "bg");
    EXPECT_EQ(hit(420, 99.9f), "bg");
    EXPECT_EQ(hit(L::MENU_X, L::HELP_Y + 30), "help");
    EXPECT_EQ(hit(L::MENU_X, L::SETTINGS_Y - 30), "settings");
    // Between two buttons lies the panel's background.
    EXPECT_EQ(hit(L::MENU_X, 165), "bg");
}

TEST_F(MenuPanel, ThePanelEdgeItselfClosesIt) {
    // Panel: x 320..520, y 80..320, edges excluded.
    EXPECT_EQ(hit(320, 200), "close");
    EXPECT_EQ(hit(520, 200), "close");
    EXPECT_EQ(hit(400, 80), "close");
    EXPECT_EQ(hit(400, 320), "close");
    EXPECT_EQ(hit(320.5f, 200), "bg");
    EXPECT_EQ(hit(400, 319.5f), "bg");
    EXPECT_EQ(hit(100, 400), "close");
}

TEST_F(MenuPanel, TheProgressPanelsRestingAreaIsBackgroundEvenWhileItSlidesIn) {
    open_menu_panel();
    ASSERT_FLOAT_EQ(progress_panel_offset, 300.0f);  // still below the window
    // Resting area: x 20..520 (sides excluded), y below 660.
    EXPECT_EQ(hit(270, 661), "bg");
    EXPECT_EQ(hit(20.5f, 950), "bg");
    EXPECT_EQ(hit(270, 660), "close");
    EXPECT_EQ(hit(20, 700), "close");
    EXPECT_EQ(hit(520, 700), "close");
    frames_for(0.3f);
    EXPECT_FLOAT_EQ(progress_panel_offset, 0.0f);
    EXPECT_EQ(hit(270, 661), "bg");
}

TEST_F(MenuPanel, OpeningGrowsThePanelAndSlidesInTheProgressPanel) {
    sounds_enabled = 1;
    open_menu_panel();
    EXPECT_TRUE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_TRUE(overlay_open(OVERLAY_PROGRESS_PANEL));
    EXPECT_FLOAT_EQ(menu_panel_scale, 0.0f);
    TweenSlot* grow = find_tween("menu_panel_scale_up");
    ASSERT_NE(grow, nullptr);
    EXPECT_FLOAT_EQ(grow->duration, 0.2f);
    EXPECT_EQ(grow->ease, ease_out_sine);
    EXPECT_EQ(voices_playing("menu_panel"), 1);
    frames(3);
    EXPECT_GT(menu_panel_scale, 0.0f);
    EXPECT_LT(menu_panel_scale, 1.0f);
    frames_for(0.3f);
    EXPECT_FLOAT_EQ(menu_panel_scale, 1.0f);
    EXPECT_FLOAT_EQ(progress_panel_offset, 0.0f);
}

TEST_F(MenuPanel, WithEveryTweenSlotTakenBothPanelsOpenWhole) {
    static float filler;
    for (int i = 0; i < TWEEN_POOL_SIZE; i++) start_tween("filler", &filler, 0, 1, 60, nullptr);
    open_menu_panel();
    EXPECT_FLOAT_EQ(menu_panel_scale, 1.0f);
    EXPECT_FLOAT_EQ(progress_panel_offset, 0.0f);
}

TEST_F(MenuPanel, ClosingDuringTheOpeningStopsBothAnimations) {
    open_menu_panel();
    frames(2);
    float scale = menu_panel_scale, offset = progress_panel_offset;
    close_menu_panel();
    EXPECT_FALSE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_FALSE(overlay_open(OVERLAY_PROGRESS_PANEL));
    EXPECT_EQ(find_tween("menu_panel_scale_up"), nullptr);
    EXPECT_EQ(find_tween("progress_panel_appear"), nullptr);
    frames(5);
    EXPECT_FLOAT_EQ(menu_panel_scale, scale);
    EXPECT_FLOAT_EQ(progress_panel_offset, offset);
}

TEST_F(MenuPanel, EveryPressIsTakenAndOnlyBackgroundKeepsItOpen) {
    sounds_enabled = 1;
    open_menu_panel();
    silence_voices();
    press_at(330, 300);  // background beside the settings button
    EXPECT_TRUE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_EQ(voices_playing("tap"), 0);
    press_cell(9);  // a tile under the menu's spell: the press closes it
    EXPECT_FALSE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_FALSE(level_state.selected);
    EXPECT_EQ(voices_playing("tap"), 1);
}

TEST_F(MenuPanel, ShuffleClosesSilentlyAndClearsTheNoMovesState) {
    sounds_enabled = 1;
    show_no_moves();
    open_menu_panel();
    silence_voices();
    press_at(L::MENU_X, L::SHUFFLE_Y);
    EXPECT_FALSE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_FALSE(overlay_open(OVERLAY_PROGRESS_PANEL));
    EXPECT_FALSE(no_moves_shown());
    EXPECT_EQ(voices_playing("tap"), 0);
    EXPECT_NE(find_tween("tile9_shuffle_x"), nullptr);
}

TEST_F(MenuPanel, SettingsPausesTheChallengeClockAndOpensThePopup) {
    Board challenge = three_pairs_board();
    play_board(10, challenge);
    ASSERT_TRUE(time_challenge);
    press_cell(9);  // the first selection starts the clock
    ASSERT_TRUE(clock_running());
    open_menu_panel();
    press_at(L::MENU_X, L::SETTINGS_Y);
    EXPECT_FALSE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_TRUE(overlay_open(OVERLAY_SETTINGS_POPUP));
    EXPECT_FALSE(clock_running());
}

TEST_F(MenuPanel, SettingsLeavesARegularLevelsClockAlone) {
    stop_clock();
    open_menu_panel();
    press_at(L::MENU_X, L::SETTINGS_Y);
    EXPECT_TRUE(overlay_open(OVERLAY_SETTINGS_POPUP));
    EXPECT_FALSE(clock_running());
}

TEST_F(MenuPanel, HelpClosesTheMenuAndStartsTheTutorial) {
    open_menu_panel();
    press_at(L::MENU_X, L::HELP_Y);
    EXPECT_FALSE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_TRUE(tutorial_active);
    EXPECT_EQ(tutorial.step, 1);
}

TEST_F(ProgressPanel, RevealsTheSetsReachedSoFar) {
    struct Case {
        uint16_t level;
        int revealed;
    } cases[] = {{1, 1}, {10, 1}, {11, 2}, {25, 3}};
    for (const Case& c : cases) {
        level = c.level;
        open_progress_panel();
        EXPECT_EQ(revealed_sets, c.revealed) << "level " << c.level;
        close_progress_panel();
    }
    use_tile_counts({20, 20, 15});
    level = 95;
    open_progress_panel();
    EXPECT_EQ(revealed_sets, 3);
    close_progress_panel();
}

TEST_F(ProgressPanel, OpeningAndClosingLeavesTheLoadedPicturesAsTheyWere) {
    unload_tile_set(0);
    play_board(25, three_pairs_board());  // the third set's pictures are in use
    const std::multiset<std::string> before = loaded_texture_names();
    for (int round = 0; round < 3; round++) {
        open_menu_panel();
        // Sets 1 and 2 were loaded for the panel; set 3's picture was there.
        EXPECT_EQ(panel_tile_texture_count(), 2);
        EXPECT_NE(find_texture("tiles/01/01.png"), nullptr);
        EXPECT_NE(find_texture("tiles/02/01.png"), nullptr);
        EXPECT_EQ(loaded_texture_names().count("tiles/03/01.png"), 1u);
        close_menu_panel();
        EXPECT_EQ(loaded_texture_names(), before);
        EXPECT_NE(view.level_sprites[9].texture, nullptr);
    }
    // Opened twice without a close in between: still nothing left behind.
    open_progress_panel();
    open_progress_panel();
    close_progress_panel();
    EXPECT_EQ(loaded_texture_names(), before);
}

TEST_F(ProgressPanel, APictureFreedElsewhereIsNotFreedTwice) {
    level = 11;
    unload_tile_set(0);
    open_progress_panel();
    ASSERT_EQ(panel_tile_texture_count(), 2);
    delete_texture(find_texture("tiles/02/01.png"));
    load_image("tiles/05/01.png");  // may take over the freed record
    close_progress_panel();
    EXPECT_NE(find_texture("tiles/05/01.png"), nullptr);
    EXPECT_EQ(find_texture("tiles/01/01.png"), nullptr);
}

TEST(ProgressGrid, RowsAreCentredEachOnItsOwn) {
    // Seven sets, three a row: rows of 3, 3 and 1.
    const float pitch = 80 + 10;
    GridSpot first = progress_grid_spot(1, 7, 3, 10, 20);
    GridSpot third = progress_grid_spot(3, 7, 3, 10, 20);
    GridSpot fourth = progress_grid_spot(4, 7, 3, 10, 20);
    GridSpot last = progress_grid_spot(7, 7, 3, 10, 20);
    EXPECT_FLOAT_EQ(first.x, -pitch);
    EXPECT_FLOAT_EQ(third.x, pitch);
    EXPECT_FLOAT_EQ(fourth.x, -pitch);
    EXPECT_FLOAT_EQ(last.x, 0.0f);
    // Three rows of 80 with gaps of 20 centred on 0.
    EXPECT_FLOAT_EQ(first.y, -100.0f);
    EXPECT_FLOAT_EQ(fourth.y, 0.0f);
    EXPECT_FLOAT_EQ(last.y, 100.0f);
    // An even row straddles the centre.
    EXPECT_FLOAT_EQ(progress_grid_spot(1, 2, 3, 10, 0).x, -45.0f);
}

TEST(ProgressGrid, ZeroPerRowIsOneSquareARow) {
    for (int j = 1; j <= 3; j++) {
        GridSpot spot = progress_grid_spot(j, 3, 0, 10, 20);
        EXPECT_FLOAT_EQ(spot.x, 0.0f);
        EXPECT_FLOAT_EQ(spot.y, -100.0f + (j - 1) * 100.0f);
    }
}
