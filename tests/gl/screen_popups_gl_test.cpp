// screen_popups_gl_test.cpp - the popups that end a level, drawn over the
// real game screen: the win popup's plate and its table's alignment, the
// tile-set complete popup's pictures and late third line, and the lose
// popup growing from its centre over the board.
#include "gl/screen_fixture.h"
#include "screen/game_screen_keys.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/result_popups.h"

namespace {

// Leftmost and rightmost columns of a row band holding a colour, or -1.
void text_extent(int y0, int y1, Rgba colour, int* left, int* right) {
    *left = *right = -1;
    for (int x = 0; x < 540; x++)
        for (int y = y0; y <= y1; y++) {
            Rgba p = read_pixel(x, y);
            if (abs(p.r - colour.r) <= 30 && abs(p.g - colour.g) <= 30 &&
                abs(p.b - colour.b) <= 30) {
                if (*left < 0) *left = x;
                *right = x;
                break;
            }
        }
}

}  // namespace

TEST_F(ScreenGl, WinPopupShowsItsTitlePlateAndARightAlignedTable) {
    play_saved_board(1, board_from(5, 4, {0}));
    ASSERT_TRUE(overlay_open(OVERLAY_WIN_POPUP));
    level_time = 30;
    best_match_time = 1.25f;
    match_count = 12;
    open_win_popup();
    draw_frame();
    keep_shot("win_popup");

    const WinPopupSettings& s = win_popup_settings;
    float cx = 270, cy = 480;
    float plate_y = cy + s.label1.caption.y;
    EXPECT_TRUE(near(at(cx - s.label1.size.x / 2 + 8, plate_y), rgb(s.label1.color)));
    EXPECT_TRUE(near(at(cx - s.label1.size.x / 2 - 4, plate_y), rgb(bg_color)));
    EXPECT_GT(count_near((int)(cx - 180), (int)plate_y - 20, (int)(cx + 180), (int)plate_y + 20,
                         rgb(s.label1.caption.text_color), 10),
              300);

    // Captions start at the table's left edge and values end at its right
    // edge, however long each is.
    float y_of_row[3] = {s.label2.y, s.label3.y, s.label4.y};
    for (float row_y : y_of_row) {
        int left, right;
        text_extent((int)(cy + row_y) - 10, (int)(cy + row_y) + 10, rgb(s.label2.text_color), &left,
                    &right);
        EXPECT_NEAR(left, cx - s.table_width / 2, 4) << "row at " << row_y;
        EXPECT_NEAR(right, cx + s.table_width / 2, 4) << "row at " << row_y;
    }

    float hint_y = cy + s.label9.y;
    EXPECT_GT(count_near(100, (int)hint_y - 12, 440, (int)hint_y + 12, rgb(s.label9.text_color)),
              100);
}

TEST_F(ScreenGl, Win2PopupHidesTheBoardShowsTheNextSetAndLastlyItsThirdLine) {
    go_to_level(10);
    Vec2 cell = cell_screen_position((uint8_t)((board.height - 2) * board.width + 1));
    load_tile_set(next_set);
    open_win2_popup();
    frames_for(0.5f);
    draw_frame();
    keep_shot("win2_popup_appearing");

    const Win2PopupSettings& s = win2_popup_settings;
    float cx = 270, cy = 480;
    // No board; the header stays.
    EXPECT_TRUE(near(at(cell.x, cell.y - 30), rgb(bg_color)));
    EXPECT_GT(count_near(150, 30, 390, 66, rgb(level_label_settings.color)), 150);
    EXPECT_TRUE(
        near(at(cx - s.label1.size.x / 2 + 8, cy + s.label1.caption.y), rgb(s.label1.color)));
    float line3 = cy + s.label3.y;
    EXPECT_EQ(count_near(60, (int)line3 - 12, 480, (int)line3 + 12, rgb(s.label3.text_color), 10),
              0);
    // The first pictures are in, the last are not yet.
    int n = win2_tile_count;
    ASSERT_GT(n, 2);
    Vec2 first = win2_tile_offset(0, n, s.tile_size, s.tileset_padding_x, s.tileset_padding_y);
    Vec2 last = win2_tile_offset(n - 1, n, s.tile_size, s.tileset_padding_x, s.tileset_padding_y);
    float block_y = cy + s.tileset_y_from_mid;
    EXPECT_FALSE(near(at(cx + first.x, block_y + first.y), rgb(bg_color), 20));
    EXPECT_TRUE(near(at(cx + last.x, block_y + last.y), rgb(bg_color)));

    frames_for(0.15f * n + 0.3f);
    ASSERT_TRUE(win2_popup_ready);
    draw_frame();
    keep_shot("win2_popup");
    EXPECT_GT(count_near(60, (int)line3 - 12, 480, (int)line3 + 12, rgb(s.label3.text_color), 10),
              100);
    for (int k = 0; k < n; k++) {
        Vec2 at_k = win2_tile_offset(k, n, s.tile_size, s.tileset_padding_x, s.tileset_padding_y);
        EXPECT_FALSE(near(at(cx + at_k.x, block_y + at_k.y), rgb(bg_color), 20)) << "picture " << k;
    }
    // Every picture lies on screen.
    EXPECT_GE(cx + first.x - s.tile_size.x / 2, 0);
    Vec2 row_end = win2_tile_offset(s.tiles_max_per_row - 1, n, s.tile_size, s.tileset_padding_x,
                                    s.tileset_padding_y);
    EXPECT_LE(cx + row_end.x + s.tile_size.x / 2, 540);
    // Pictures large enough to know, on whole white backs.
    int fx = (int)(cx + first.x), fy = (int)(block_y + first.y);
    EXPECT_GE(91 - count_near(fx - 45, fy, fx + 45, fy, rgb(bg_color), 20), 50);
    EXPECT_TRUE(near(at(fx, fy - s.tile_size.y / 2 + 2), {255, 255, 255, 255}));
}

TEST_F(ScreenGl, LosePopupGrowsFromItsCentreOverTheBoard) {
    go_to_level(10);
    open_lose_popup();
    const LosePopupSettings& s = lose_popup_settings;
    float cx = 270, cy = 480 + s.offset_y;
    Vec2 plate_edge = {cx - s.bg_size.x / 2 + 6, cy};

    frames(2);  // part grown
    ASSERT_GT(lose_popup_scale, 0.0f);
    ASSERT_LT(lose_popup_scale, 0.6f);
    draw_frame();
    EXPECT_TRUE(near(at(cx + 2, cy + 2), rgb(s.bg_color)));
    EXPECT_FALSE(near(at(plate_edge.x, plate_edge.y), rgb(s.bg_color), 6));

    frames_for(0.2f);
    ASSERT_FLOAT_EQ(lose_popup_scale, 1.0f);
    draw_frame();
    keep_shot("lose_popup");
    EXPECT_TRUE(near(at(plate_edge.x, plate_edge.y), rgb(s.bg_color)));
    float button_y = cy + s.button.caption.y;
    EXPECT_TRUE(near(at(cx - s.button.size.x / 2 + 6, button_y), rgb(s.button.color)));
    EXPECT_GT(count_near((int)(cx - 110), (int)button_y - 15, (int)(cx + 110), (int)button_y + 15,
                         rgb(s.button.caption.text_color), 10),
              150);
    float title_y = cy + s.title.y;
    EXPECT_GT(count_near((int)(cx - 190), (int)title_y - 25, (int)(cx + 190), (int)title_y + 25,
                         rgb(s.title.text_color), 10),
              300);
}
