// screen_reload_gl_test.cpp - a live re-read of config.txt rebuilds the game
// screen's and the result popups' fonts, labels and shapes in place: new
// sizes take effect, the texts shown stay, nothing leaks.
#include <fstream>
#include <sstream>

#include "board/level.h"
#include "gl/screen_fixture.h"
#include "screen/game_screen_keys.h"
#include "screen/labels.h"
#include "ui/popups.h"
#include "ui/result_popups.h"

namespace {

// Rewrites "key = value" (the first line with that key after the section
// header, or the first anywhere with no section) and re-applies the file as
// the live check does, reload callbacks included.
void edit_config(const char* section, const char* key, const char* value) {
    std::ifstream in("config.txt");
    std::stringstream out;
    std::string line;
    bool in_section = section == nullptr, done = false;
    while (std::getline(in, line)) {
        if (!done && section && line == std::string("[") + section + "]") in_section = true;
        if (!done && in_section && line.rfind(std::string(key) + " =", 0) == 0) {
            line = std::string(key) + " = " + value;
            done = true;
        }
        out << line << "\n";
    }
    ASSERT_TRUE(done) << key;
    in.close();
    std::ofstream("config.txt") << out.str();
    config_reloading = true;
    load_config();
    config_reloading = false;
}

}  // namespace

TEST_F(ScreenGl, TimerFontSizeChangeRebuildsItsFontAndKeepsTheClockText) {
    go_to_level(10);
    ASSERT_STREQ(timer_label.text, "2:00");
    uint16_t width_before = timer_label.width;
    int fonts = font_count, labels = label_count(), shapes = panel_shape_count();

    edit_config("timer_label", "font_size", "60");
    Font* font = find_font("timer_label_font");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->size, 60);
    EXPECT_EQ(timer_label.font, font);
    EXPECT_STREQ(timer_label.text, "2:00");
    EXPECT_GT(timer_label.width, width_before * 3 / 2);
    EXPECT_EQ(font_count, fonts);
    EXPECT_EQ(label_count(), labels);
    EXPECT_EQ(panel_shape_count(), shapes);

    draw_frame();
    const HeaderLabelSettings& ts = timer_label_settings;
    int tall = 0;
    for (int y = (int)ts.y_from_top - 30; y <= (int)ts.y_from_top + 30; y++)
        if (count_near(200, y, 340, y, blend(ts.color, bg_color), 24) > 0) tall++;
    EXPECT_GT(tall, 30) << "the timer is not drawn at its new size";
}

TEST_F(ScreenGl, ShapeSizesFollowTheConfigAfterAReload) {
    show_no_moves();
    Vec2 before = grid_background_size(board.width, board.height, padding_between_tiles,
                                       no_moves_settings.grid_bg_padding);
    ASSERT_FLOAT_EQ(grid_background.width, before.x);

    edit_config(nullptr, "menu_button_size", "90, 70");
    EXPECT_FLOAT_EQ(menu_button_shape.width, 90);
    EXPECT_FLOAT_EQ(menu_button_shape.height, 70);
    edit_config("no_moves", "grid_bg_padding", "30");
    EXPECT_FLOAT_EQ(grid_background.width, before.x + 36);
    EXPECT_FLOAT_EQ(grid_background.height, before.y + 36);
    start_tutorial();  // a re-read while the practice board is out
    edit_config("no_moves", "grid_bg_padding", "24");
    EXPECT_FLOAT_EQ(grid_background.height, before.y + 24);
    end_tutorial();

    draw_frame();
    // The wider button now reaches 90 pixels in from its right edge.
    float right = WIDTH + menu_button_rel_pos.x;
    EXPECT_TRUE(near(at(right - 86, menu_button_rel_pos.y + 35), rgb(menu_button_color)));
}

TEST_F(ScreenGl, WinPopupReloadKeepsItsValuesAndResizesItsPlate) {
    play_saved_board(1, board_from(5, 4, {0}));
    level_time = 42.5f;
    best_match_time = 0.75f;
    match_count = 5;
    open_win_popup();
    edit_config("win_popup", "label1_bg_size", "300, 90");
    edit_config("win_popup", "label2_font_size", "34");
    EXPECT_STREQ(win_popup_value_text(0), "42.50s");
    EXPECT_STREQ(win_popup_value_text(2), "8.50s");
    EXPECT_EQ(find_font("win_popup_label2_font")->size, 34);

    draw_frame();
    const WinPopupSettings& s = win_popup_settings;
    float plate_y = 480 + s.label1.caption.y;
    EXPECT_TRUE(near(at(270 - 150 + 6, plate_y), rgb(s.label1.color)));
    EXPECT_TRUE(near(at(270 - 150 - 6, plate_y), rgb(bg_color)));
}
