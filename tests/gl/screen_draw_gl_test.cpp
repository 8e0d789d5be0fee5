// screen_draw_gl_test.cpp - frames of the game screen read back pixel by
// pixel: the first level's board and header, a Time Challenge header with
// its flashing timer, the no-moves overlay, the selection outline and the
// connecting line of a removed pair.
#include "board/level.h"
#include "gl/screen_fixture.h"
#include "screen/click.h"
#include "screen/game_screen_keys.h"
#include "screen/labels.h"

namespace {

// Level 1 of the shipped offsets: a 5 x 4 board of three pairs.
bool has_tile(int i) {
    return i < board.width * board.height && board.cells[i] != EMPTY_CELL;
}

Rgba shadow_on_background() {
    return blend(Color4{0, 0, 0, 32}, bg_color);
}

}  // namespace

TEST_F(ScreenGl, FirstLevelShowsWhiteTilesWithPicturesAndShadowsUnderTheHeader) {
    ASSERT_EQ(level, 1);
    ASSERT_GT(board.tile_count, 0);
    draw_frame();
    keep_shot("level1");

    EXPECT_TRUE(near(read_pixel(4, 400), rgb(bg_color)));
    EXPECT_TRUE(near(read_pixel(535, 955), rgb(bg_color)));

    float s = board_scale();
    int tiles = 0;
    for (int i = 0; i < board.width * board.height; i++) {
        Vec2 c = cell_screen_position((uint8_t)i);
        if (!has_tile(i)) {
            EXPECT_TRUE(near(at(c.x, c.y), rgb(bg_color))) << "empty cell " << i;
            continue;
        }
        tiles++;
        // The face shows round the picture; the picture fills the middle.
        EXPECT_TRUE(near(at(c.x, c.y - 37 * s), Rgba{255, 255, 255, 255})) << "cell " << i;
        EXPECT_TRUE(near(at(c.x - 37 * s, c.y), Rgba{255, 255, 255, 255})) << "cell " << i;
        Rgba middle = at(c.x, c.y);
        EXPECT_FALSE(near(middle, Rgba{255, 255, 255, 255}, 30))
            << "cell " << i << " has no picture";
        // The shadow lies 5 units down and right, seen where no tile follows.
        if (!has_tile(i + 1))
            EXPECT_TRUE(near(at(c.x + 43 * s, c.y), shadow_on_background(), 4)) << "cell " << i;
    }
    EXPECT_EQ(tiles, board.tile_count);

    // Progress bar: level 1 is the current cell, the other nine still to come.
    const ProgressBarSettings& p = progress_bar;
    float x0 = 270 - (9 * p.padding + 10 * p.cell_w) / 2 + p.cell_w / 2;
    float y = p.y_from_top + p.cell_h / 2;
    EXPECT_TRUE(near(at(x0, y), rgb(p.color_medium)));
    for (int k = 1; k < 10; k++)
        EXPECT_TRUE(near(at(x0 + k * (p.cell_w + p.padding), y), rgb(p.color_light)))
            << "cell " << k;

    // The level number is written; a regular level has no challenge line.
    const HeaderLabelSettings& ls = level_label_settings;
    EXPECT_GT(count_near(150, (int)ls.y_from_top - 20, 390, (int)ls.y_from_top + 20, rgb(ls.color)),
              150);
    const HeaderLabelSettings& cs = challenge_label_settings;
    EXPECT_EQ(count_near(100, (int)cs.y_from_top - 12, 440, (int)cs.y_from_top + 12, rgb(cs.color)),
              0);

    // Menu button, beside its "=".
    float button_x = WIDTH + menu_button_rel_pos.x - menu_button_size.x + 8;
    float button_y = menu_button_size.y / 2 + menu_button_rel_pos.y;
    EXPECT_TRUE(near(at(button_x, button_y), rgb(menu_button_color)));
    EXPECT_GT(count_near((int)(WIDTH + menu_button_rel_pos.x - menu_button_size.x),
                         (int)menu_button_rel_pos.y, (int)(WIDTH + menu_button_rel_pos.x),
                         (int)(menu_button_rel_pos.y + menu_button_size.y),
                         rgb(menu_button_text_color), 30),
              40);
}

TEST_F(ScreenGl, TimeChallengeShowsItsNameAndATimerThatFlashes) {
    go_to_level(10);
    ASSERT_TRUE(time_challenge);
    EXPECT_STREQ(timer_label.text, "2:00");
    draw_frame();
    keep_shot("time_challenge");

    const HeaderLabelSettings& cs = challenge_label_settings;
    EXPECT_GT(count_near(80, (int)cs.y_from_top - 15, 460, (int)cs.y_from_top + 15, rgb(cs.color)),
              150);
    const HeaderLabelSettings& ts = timer_label_settings;
    int y0 = (int)ts.y_from_top - 12, y1 = (int)ts.y_from_top + 12;
    EXPECT_GT(count_near(220, y0, 320, y1, blend(ts.color, bg_color)), 60);

    // The whole 9 x 10 board sits below the header.
    Vec2 top_left = cell_screen_position((uint8_t)(board.width + 1));
    EXPECT_GT(top_left.y - 40 * board_scale(), time_challenge_header_height - 1);
    EXPECT_TRUE(near(at(top_left.x, top_left.y - 37 * board_scale()), Rgba{255, 255, 255, 255}));

    // The shipped timer flashes towards full opacity.
    draw_frame();
    int faint = count_near(220, y0, 320, y1, rgb(ts.color));
    timer_highlight = timer_label_settings.highlight_duration;
    draw_frame();
    int flashed = count_near(220, y0, 320, y1, rgb(ts.color));
    EXPECT_EQ(faint, 0);
    EXPECT_GT(flashed, 60);
}

TEST_F(ScreenGl, NoMovesStateDarkensTheGridAndExplainsTheShuffle) {
    show_no_moves();
    draw_frame();
    keep_shot("no_moves");
    const NoMovesSettings& n = no_moves_settings;
    float s = board_scale();
    // Inside the plate's margin, left of the first column of tiles.
    uint8_t first = (uint8_t)(board.width + 1);
    Vec2 c = cell_screen_position(first);
    Rgba plate = blend(n.grid_bg_color, bg_color);
    EXPECT_TRUE(near(at(c.x - (40 + n.grid_bg_padding / 2) * s, c.y), plate));
    // Beyond the margin, the background again.
    EXPECT_TRUE(near(at(c.x - (40 + n.grid_bg_padding + 4) * s, c.y), rgb(bg_color)));

    float g = grid_background.height / 2 * s;
    float mid = 480 + (default_header_height - default_footer_height) / 2;
    int top = (int)(mid - g + n.label1_y_from_grid_top);
    int bottom = (int)(mid + g + n.label2_y_from_grid_bottom);
    EXPECT_GT(count_near(60, top - 15, 480, top + 15, rgb(n.label1_text_color), 10), 100);
    EXPECT_GT(count_near(60, bottom - 12, 480, bottom + 12, rgb(n.label2_text_color), 10), 100);

    hide_no_moves();
    draw_frame();
    EXPECT_TRUE(near(at(c.x - (40 + n.grid_bg_padding / 2) * s, c.y), rgb(bg_color)));
    EXPECT_EQ(count_near(60, top - 15, 480, top + 15, rgb(n.label1_text_color), 10), 0);
}

TEST_F(ScreenGl, SelectedTileIsFramedAndTheFrameGoesWithTheSelection) {
    uint8_t cell = (uint8_t)(board.width + 1);
    ASSERT_TRUE(has_tile(cell));
    Vec2 c = cell_screen_position(cell);
    handle_click(true, true, c.x, c.y);
    ASSERT_TRUE(level_state.selected);
    frames_for(tile_bounce_duration + 0.05f);  // back at rest
    draw_frame();
    float s = board_scale();
    float edge = (tile_selection_size.x / 2 - tile_selection_stroke_size / 2) * s;
    EXPECT_TRUE(near(at(c.x - edge, c.y), rgb(tile_selection_color)));
    EXPECT_TRUE(near(at(c.x, c.y + edge), rgb(tile_selection_color)));

    // A press outside the board drops the selection and its frame.
    handle_click(true, true, 20, 900);
    ASSERT_FALSE(level_state.selected);
    draw_frame();
    EXPECT_FALSE(near(at(c.x - edge, c.y), rgb(tile_selection_color), 20));
}

// Two pictures 1 joined over the top row: down-up pieces and one across.
TEST_F(ScreenGl, RemovedPairLeavesALineAlongItsPathWithEvenCorners) {
    play_saved_board(2, board_from(6, 5, {0, 0, 0, 0, 0, 0,  //
                                          0, 1, 2, 3, 0, 0,  //
                                          0, 4, 0, 0, 0, 0,  //
                                          0, 2, 3, 4, 1, 0,  //
                                          0, 0, 0, 0, 0, 0}));
    const int a = 6 + 1, b = 18 + 4;
    Vec2 pa = cell_screen_position(a), pb = cell_screen_position(b);
    handle_click(true, true, pa.x, pa.y);
    handle_click(true, true, pb.x, pb.y);
    ASSERT_EQ(board.cells[a], EMPTY_CELL) << "the pair was not removed";
    ASSERT_EQ(level_state.line_point_count, 4);

    // Let the line grow to full strength, not yet fading.
    shell.frame_delta = tile_remove_duration1 * 0.6f;
    frames(2);
    ASSERT_FLOAT_EQ(level_state.line_alpha, 1.0f);
    draw_frame();
    keep_shot("line");

    Rgba line = blend(line_color, bg_color);
    Vec2 corner1 = cell_screen_position(1), corner2 = cell_screen_position(4);
    Vec2 across = {(corner1.x + corner2.x) / 2, corner1.y};
    Vec2 down = cell_screen_position(6 + 4);  // an empty cell on the last piece
    EXPECT_TRUE(near(at(across.x, across.y), line));
    EXPECT_TRUE(near(at(down.x, down.y), line));
    // A translucent line is not darker where its pieces meet.
    EXPECT_TRUE(near(at(corner1.x, corner1.y), line, 1));
    EXPECT_TRUE(near(at(corner2.x, corner2.y), line, 1));
    float h = line_size * level_state.line_scale / 2 * board_scale();
    EXPECT_TRUE(near(at(corner2.x + h - 1, corner2.y - h + 1), line, 1));
    // Just beside the line, the background.
    EXPECT_TRUE(near(at(across.x, across.y - h - 2), rgb(bg_color)));
    EXPECT_TRUE(near(at(down.x + h + 2, down.y), rgb(bg_color)));

    // Once both tiles are gone and the line has faded, nothing is left.
    shell.frame_delta = 1.0f / 60;
    frames_for(tile_remove_duration1 + 2 * tile_remove_duration2 + 0.1f);
    EXPECT_EQ(level_state.line_alpha, 0.0f);
    draw_frame();
    EXPECT_TRUE(near(at(across.x, across.y), rgb(bg_color)));
    EXPECT_TRUE(near(at(pa.x, pa.y), rgb(bg_color)));
}
