// result_popups_test.cpp - the popups that end a level: what the win popup
// shows, how the tile-set complete popup lays out and paces its pictures,
// and the lose popup's growth, input delay and restart. No window needed.
#include "ui/result_popups.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/platform.h"
#include "ui/overlays.h"
#include "unit/board/game_fixture.h"

namespace {

// Texts of the three value rows after the win popup opened.
void expect_values(const char* a, const char* b, const char* c) {
    EXPECT_STREQ(win_popup_value_text(0), a);
    EXPECT_STREQ(win_popup_value_text(1), b);
    EXPECT_STREQ(win_popup_value_text(2), c);
}

}  // namespace

TEST(WinPopupValues, TimeFastestPairAndAverageWithTwoDecimals) {
    char out[3][WIN_POPUP_VALUE_SIZE];
    format_win_popup_values(30.0f, 1.25f, 12, out);
    EXPECT_STREQ(out[0], "30.00s");
    EXPECT_STREQ(out[1], "1.25s");
    EXPECT_STREQ(out[2], "2.50s");
    // The longest time a saved level may carry still fits.
    format_win_popup_values(864000.0f, 86400.0f, 1, out);
    EXPECT_STREQ(out[0], "864000.00s");
    EXPECT_STREQ(out[1], "86400.00s");
}

TEST(WinPopupValues, UntimedOrUncountedLevelsShowADashInEveryRow) {
    char out[3][WIN_POPUP_VALUE_SIZE];
    format_win_popup_values(0.0f, 1.0f, 5, out);
    for (auto& text : out) EXPECT_STREQ(text, "-");
    format_win_popup_values(12.5f, 86400.0f, 0, out);
    for (auto& text : out) EXPECT_STREQ(text, "-");
}

TEST(Win2Layout, NinePicturesMakeACentredRowOfFiveOverACentredRowOfFour) {
    Vec2 tile = {40, 50};
    const float px = 6, py = 10;
    float upper_y = -(50 + py) / 2, lower_y = (50 + py) / 2;
    for (int k = 0; k < 9; k++) {
        Vec2 at = win2_tile_offset(k, 9, tile, px, py);
        EXPECT_FLOAT_EQ(at.y, k < 5 ? upper_y : lower_y) << "picture " << k;
        if (k != 0 && k != 5) {
            Vec2 before = win2_tile_offset(k - 1, 9, tile, px, py);
            EXPECT_FLOAT_EQ(at.x - before.x, 40 + px) << "picture " << k;
        }
    }
    // Each row is symmetric about the centre line; the middle picture of
    // the upper row sits on it.
    EXPECT_FLOAT_EQ(win2_tile_offset(0, 9, tile, px, py).x,
                    -win2_tile_offset(4, 9, tile, px, py).x);
    EXPECT_FLOAT_EQ(win2_tile_offset(2, 9, tile, px, py).x, 0);
    EXPECT_FLOAT_EQ(win2_tile_offset(5, 9, tile, px, py).x,
                    -win2_tile_offset(8, 9, tile, px, py).x);
    EXPECT_FLOAT_EQ(win2_tile_offset(5, 9, tile, px, py).x, -(3 * 40 + 3 * px) / 2 + 0);
}

TEST(Win2Layout, ASinglePictureStandsAloneInTheUpperRow) {
    Vec2 at = win2_tile_offset(0, 1, {30, 30}, 2, 10);
    EXPECT_FLOAT_EQ(at.x, 0);
    EXPECT_FLOAT_EQ(at.y, -20);
}

TEST(Win2Layout, ThirtyTwoPicturesFitAcrossTheScreen) {
    // The shipped look: 30 x 30 backs, 2 apart, on a 540-wide screen.
    Vec2 first = win2_tile_offset(0, 32, {30, 30}, 2, 10);
    Vec2 last = win2_tile_offset(15, 32, {30, 30}, 2, 10);
    EXPECT_GE(270 + first.x - 15, 0);
    EXPECT_LE(270 + last.x + 15, 540);
}

TEST(Win2Layout, PicturesShrinkOnlyToFitASmallerTileBack) {
    EXPECT_FLOAT_EQ(win2_picture_fit(80, 80, {100, 100}), 1.0f);
    EXPECT_FLOAT_EQ(win2_picture_fit(80, 80, {30, 30}), 30.0f / 80);
    EXPECT_FLOAT_EQ(win2_picture_fit(80, 40, {40, 40}), 0.5f);
    EXPECT_FLOAT_EQ(win2_picture_fit(40, 80, {40, 30}), 30.0f / 80);
}

class ResultPopupTest : public GameTest {};

TEST_F(ResultPopupTest, WinPopupShowsTheLevelsStatisticsAndAPressStartsTheNextLevel) {
    play_board(3, board_from(4, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // An empty restored board reopens the win popup at once.
    ASSERT_TRUE(overlay_open(OVERLAY_WIN_POPUP));
    level_time = 30;
    best_match_time = 1.25f;
    match_count = 12;
    open_win_popup();
    expect_values("30.00s", "1.25s", "2.50s");

    run_ui_action(win_popup_click());
    EXPECT_FALSE(overlay_open(OVERLAY_WIN_POPUP));
    EXPECT_EQ(level, 4);
    EXPECT_GT(board.tile_count, 0);
}

TEST_F(ResultPopupTest, Win2PopupPicturesPopInOneByOneAndOnlyThenTakeAPress) {
    use_tile_counts({20, 9, 15});
    level = 10;
    current_set = 0;
    next_set = 1;
    open_win2_popup();
    ASSERT_TRUE(overlay_open(OVERLAY_WIN2_POPUP));
    ASSERT_EQ(win2_tile_count, 9);
    EXPECT_FALSE(win2_popup_ready);
    for (int k = 0; k < 9; k++) {
        EXPECT_EQ(win2_tile_scales[k], 0);
        ASSERT_NE(win2_tile_pictures[k], nullptr);
        char name[32];
        tile_picture_name(name, sizeof name, 1, (uint8_t)(k + 1));
        EXPECT_STREQ(win2_tile_pictures[k]->name, name);
    }

    // Picture k (from 1) waits 0.15 k s, then grows for 0.3 s.
    frames_for(0.2f);
    EXPECT_GT(win2_tile_scales[0], 0);
    EXPECT_EQ(win2_tile_scales[1], 0);
    frames_for(0.3f);
    EXPECT_FLOAT_EQ(win2_tile_scales[0], 1.0f);
    EXPECT_GT(win2_tile_scales[2], 0);
    EXPECT_EQ(win2_tile_scales[8], 0);

    // Presses before the last picture has fully appeared do nothing.
    run_ui_action(win2_popup_click());
    EXPECT_TRUE(overlay_open(OVERLAY_WIN2_POPUP));
    EXPECT_EQ(level, 10);

    // The last picture starts after 1.35 s and is whole at 1.65 s.
    frames_for(1.0f);
    EXPECT_FALSE(win2_popup_ready);
    frames_for(0.15f);
    EXPECT_TRUE(win2_popup_ready);
    for (int k = 0; k < 9; k++) EXPECT_FLOAT_EQ(win2_tile_scales[k], 1.0f);

    run_ui_action(win2_popup_click());
    EXPECT_FALSE(overlay_open(OVERLAY_WIN2_POPUP));
    EXPECT_EQ(level, 11);
    EXPECT_EQ(current_set, 1);
}

TEST_F(ResultPopupTest, Win2PopupShowsTheFirst32PicturesOfALargerSet) {
    use_tile_counts({20, 40});
    next_set = 1;
    open_win2_popup();
    ASSERT_EQ(win2_tile_count, WIN2_MAX_TILES);
    EXPECT_NE(find_tween("win2_tile32_appear"), nullptr);
    EXPECT_EQ(find_tween("win2_tile33_appear"), nullptr);
    frames_for(0.15f * 32 + 0.35f);
    EXPECT_TRUE(win2_popup_ready);
}

TEST_F(ResultPopupTest, Win2PopupForASetWithoutPicturesIsReadyAtOnce) {
    use_tile_counts({20, 0});
    next_set = 1;
    open_win2_popup();
    EXPECT_EQ(win2_tile_count, 0);
    EXPECT_TRUE(win2_popup_ready);
}

TEST_F(ResultPopupTest, Win2PopupOpenedAgainStartsItsPicturesOver) {
    use_tile_counts({20, 4});
    next_set = 1;
    open_win2_popup();
    frames_for(0.5f);
    open_win2_popup();
    EXPECT_FALSE(win2_popup_ready);
    for (int k = 0; k < 4; k++) EXPECT_EQ(win2_tile_scales[k], 0);
    int running = 0;
    for (TweenSlot* t = active_tweens; t; t = t->next)
        running += strncmp(t->name, "win2_tile", 9) == 0;
    EXPECT_EQ(running, 4);
}

TEST_F(ResultPopupTest, WithEveryTweenSlotTakenPopupsOpenWholeAndTakePresses) {
    static float filler;
    for (int i = 0; i < TWEEN_POOL_SIZE; i++) start_tween("filler", &filler, 0, 1, 60, nullptr);
    use_tile_counts({20, 4});
    next_set = 1;
    open_win2_popup();
    EXPECT_TRUE(win2_popup_ready);
    EXPECT_FLOAT_EQ(win2_tile_scales[3], 1.0f);
    open_lose_popup();
    EXPECT_FLOAT_EQ(lose_popup_scale, 1.0f);
}

TEST_F(ResultPopupTest, LostTimeChallengeGrowsThePopupWaitsThenRestartsTheLevel) {
    level = 10;
    current_set = 0;
    next_set = 1;
    start_level();
    ASSERT_TRUE(time_challenge);
    ASSERT_EQ(level_state.time_left, 120);
    Board dealt = board;

    start_clock();
    level_state.clock_seconds = 0.05f;
    level_state.time_left = 1;
    for (int i = 0; i < 10 && !overlay_open(OVERLAY_LOSE_POPUP); i++) frames(1);
    ASSERT_TRUE(overlay_open(OVERLAY_LOSE_POPUP));
    EXPECT_FALSE(clock_running());
    EXPECT_FLOAT_EQ(lose_popup_input_delay, LOSE_POPUP_INPUT_DELAY);
    EXPECT_LT(lose_popup_scale, 1.0f);

    frames_for(0.2f);
    EXPECT_FLOAT_EQ(lose_popup_scale, 1.0f);
    // 0.3 s after opening the press is still too early.
    frames_for(0.1f);
    ASSERT_GT(lose_popup_input_delay, 0);
    run_ui_action(lose_popup_click());
    EXPECT_TRUE(overlay_open(OVERLAY_LOSE_POPUP));

    frames_for(0.15f);
    EXPECT_LE(lose_popup_input_delay, 0);
    run_ui_action(lose_popup_click());
    EXPECT_FALSE(overlay_open(OVERLAY_LOSE_POPUP));
    EXPECT_EQ(level, 10);
    EXPECT_EQ(level_state.time_left, 120);
    EXPECT_STREQ(timer_label.text, "2:00");
    EXPECT_EQ(memcmp(board.cells, dealt.cells, sizeof board.cells), 0);
}

namespace {

size_t target_size(const ConfigVar& v) {
    if (v.kind.first & CONFIG_INT8) return 1;
    if (v.kind.first & CONFIG_NUMBER) return 4;
    if (v.kind.first & CONFIG_TEXT) return CONFIG_TEXT_SIZE;
    if (v.kind.first & (CONFIG_POSITION | CONFIG_SIZE)) return 8;
    if (v.kind.second & CONFIG_RGBA) return 4;
    return 0;
}

}  // namespace

// The popups share key names ("label1_text" is in both win sections), so
// each must be registered in its own section, in the shipped file's order,
// and the shipped file must set every one of them.
TEST(ResultPopupSettings, ShippedConfigSetsEveryKeyOfTheThreeSectionsInItsOwnSection) {
    clear_config_registry();
    register_all_settings();
    const unsigned char sentinel = 0x5A;
    memset(&win_popup_settings, sentinel, sizeof win_popup_settings);
    memset(&win2_popup_settings, sentinel, sizeof win2_popup_settings);
    memset(&lose_popup_settings, sentinel, sizeof lose_popup_settings);

    size_t length = 0;
    char* text = read_entire_file(GAME_SOURCE_DIR "/data/config.txt", &length);
    ASSERT_NE(text, nullptr);
    apply_config_text(text, length);
    free(text);

    int checked = 0;
    for (int i = 0; i < config_var_count; i++) {
        const ConfigVar& v = config_vars[i];
        if (strcmp(v.section, "win_popup") && strcmp(v.section, "win2_popup") &&
            strcmp(v.section, "lose_popup"))
            continue;
        size_t size = target_size(v);
        ASSERT_GT(size, 0u) << v.section << " " << v.key << " has an unexpected kind";
        const unsigned char* bytes = (const unsigned char*)v.target;
        bool untouched = true;
        for (size_t b = 0; b < size && untouched; b++) untouched = bytes[b] == sentinel;
        EXPECT_FALSE(untouched) << "[" << v.section << "] " << v.key << " is not set";
        checked++;
    }
    EXPECT_EQ(checked, 22 + 22 + 15);
    EXPECT_STREQ(win_popup_settings.label1.caption.text, "Level Complete!");
    EXPECT_STREQ(win2_popup_settings.label1.caption.text, "Set Complete!");
    EXPECT_STREQ(lose_popup_settings.title.text, "Time's up!");
    // Font names are whole: no blank or comment trails a text value.
    for (const char* fn :
         {win_popup_settings.label1.caption.font_fn, win_popup_settings.label2.font_fn,
          win_popup_settings.label9.font_fn, win2_popup_settings.label1.caption.font_fn,
          win2_popup_settings.label2.font_fn, win2_popup_settings.label3.font_fn,
          lose_popup_settings.title.font_fn, lose_popup_settings.button.caption.font_fn})
        EXPECT_TRUE(!strcmp(fn, "PoetsenOne-Regular.ttf") || !strcmp(fn, "arialbd.ttf")) << fn;
    clear_config_registry();
}
