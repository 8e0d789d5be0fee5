// panels_gl_test.cpp - the whole game started as at a first run, drawn for
// real with the shipped config.txt, pictures and fonts: the three practice
// boards with the help popup, the menu with the progress panel at rest and
// the settings popup with its switches both ways. Each frame is saved as
// screenshots/panels_*.png next to the test binary for a look by eye;
// positions and colours are read from the config so retuning it keeps
// these checks valid.
#include <stb/stb_image_write.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/shell.h"
#include "audio/mixer.h"
#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "config/config.h"
#include "render_fixture.h"
#include "screen/click.h"
#include "screen/level_flow.h"
#include "screen/shuffle_flow.h"
#include "screen/tutorial_flow.h"
#include "screen/game_screen.h"
#include "screen/game_state.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/progress_panel.h"

namespace fs = std::filesystem;

namespace {

const int WIDTH = 540, HEIGHT = 960;

// The registered variable of a section's key, or null.
template <typename T>
const T* config_value(const char* section, const char* key) {
    for (int i = 0; i < config_var_count; i++)
        if (strcmp(config_vars[i].section, section) == 0 && strcmp(config_vars[i].key, key) == 0)
            return (const T*)config_vars[i].target;
    return nullptr;
}

template <typename T>
T config_get(const char* section, const char* key) {
    const T* value = config_value<T>(section, key);
    EXPECT_NE(value, nullptr) << section << "." << key;
    return value ? *value : T{};
}

bool same_rgb(Rgba p, Color4 c, int tolerance = 3) {
    return abs(p.r - c.r) <= tolerance && abs(p.g - c.g) <= tolerance &&
           abs(p.b - c.b) <= tolerance;
}

::testing::AssertionResult pixel_is(int x, int y, Color4 c, int tolerance = 3) {
    Rgba p = read_pixel(x, y);
    if (same_rgb(p, c, tolerance)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is (" << (int)p.r << ", " << (int)p.g << ", "
           << (int)p.b << "), not (" << (int)c.r << ", " << (int)c.g << ", " << (int)c.b << ")";
}

// Pixels of a rectangle that are near the colour.
int count_colour(const std::vector<uint8_t>& frame, int x0, int y0, int w, int h, Color4 c,
                 int tolerance = 12) {
    int count = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            const uint8_t* p = &frame[((size_t)y * WIDTH + x) * 4];
            if (same_rgb(Rgba{p[0], p[1], p[2], 255}, c, tolerance)) count++;
        }
    return count;
}

// A colour that is neither of two others: pictures, text.
int count_other(const std::vector<uint8_t>& frame, int x0, int y0, int w, int h, Color4 a,
                Color4 b) {
    int count = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            const uint8_t* p = &frame[((size_t)y * WIDTH + x) * 4];
            Rgba q = {p[0], p[1], p[2], 255};
            if (!same_rgb(q, a, 24) && !same_rgb(q, b, 24)) count++;
        }
    return count;
}

class PanelsGl : public ::testing::Test {
protected:
    GlTestContext gl = {};
    std::string shot_dir;
    Color4 background = {};

    void SetUp() override {
        ASSERT_TRUE(create_gl_test_context(&gl, WIDTH, HEIGHT));
        ASSERT_EQ(gl.width, WIDTH);
        ASSERT_EQ(gl.height, HEIGHT);
        shot_dir = gl.dir.previous + "/screenshots";
        fs::create_directories(shot_dir);

        for (const char* item : {"images", "fonts", "sounds"})
            ASSERT_TRUE(link_from_run_dir(item));
        ASSERT_TRUE(copy_file_to(std::string(GAME_SOURCE_DIR) + "/data/config.txt", "config.txt"));
        ASSERT_TRUE(start_game_drawing(WIDTH, HEIGHT));

        clear_config_registry();
        register_all_settings();
        load_config();
        init_audio_lock();
        ASSERT_TRUE(load_game_assets());
        Color3 bg = *config_value<Color3>("", "bg_color");
        background = Color4{bg.r, bg.g, bg.b, 255};
    }

    void TearDown() override {
        tutorial_active = false;
        overlays = Overlays{};
        hide_no_moves();
        release_game();
        destroy_gl_test_context(&gl);
    }

    void frames_for(float seconds) {
        shell.frame_delta = 1.0f / 60.0f;
        for (int i = 0; i < (int)(seconds * 60) + 2; i++) update_game_screen(shell.frame_delta);
    }

    // Draws one frame, saves it and returns it (rows from the top).
    std::vector<uint8_t> draw_and_save(const char* name) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        draw_game_screen();
        EXPECT_EQ(matrix_stack_depth(), 0);
        std::vector<uint8_t> frame = read_framebuffer(WIDTH, HEIGHT);
        std::string path = shot_dir + "/panels_" + name + ".png";
        stbi_write_png(path.c_str(), WIDTH, HEIGHT, 4, frame.data(), WIDTH * 4);
        return frame;
    }

    void press(float x, float y) { handle_click(true, true, x, y); }
    void press_cell(int cell) {
        Vec2 p = cell_screen_position((uint8_t)cell);
        press(p.x, p.y);
    }
    void remove_pair(int a, int b) {
        press_cell(a);
        press_cell(b);
        frames_for(1.0f);
    }

    // Centre of a help popup element placed from the bottom edge.
    static int from_bottom(const char* key) {
        return HEIGHT + (int)config_get<float>("help_popup", key);
    }
};

}  // namespace

TEST_F(PanelsGl, TheFirstTutorialShowsItsBoardsWordsAndHint) {
    ASSERT_TRUE(tutorial_active);
    ASSERT_EQ(tutorial.step, 1);
    frames_for(0.1f);
    std::vector<uint8_t> frame = draw_and_save("tutorial_step1");

    Color4 wall = help_ghost_tile_bg_color;
    Vec2 c7 = cell_screen_position(7);
    EXPECT_TRUE(pixel_is((int)c7.x, (int)c7.y, wall));
    // The demonstration line crosses the empty cells between the apples.
    Color4 line = help_ghost_line_color;
    float a = line.a / 255.0f;
    Color4 blended = {(uint8_t)(line.r * a + background.r * (1 - a) + 0.5f),
                      (uint8_t)(line.g * a + background.g * (1 - a) + 0.5f),
                      (uint8_t)(line.b * a + background.b * (1 - a) + 0.5f), 255};
    Vec2 c14 = cell_screen_position(14);
    EXPECT_TRUE(pixel_is((int)c14.x, (int)c14.y, blended, 4));
    // A picture on each tile: colours that are neither tile face nor wall.
    Vec2 c13 = cell_screen_position(13);
    EXPECT_GT(count_other(frame, (int)c13.x - 20, (int)c13.y - 20, 40, 40,
                          Color4{255, 255, 255, 255}, wall),
              100);

    // Title and the step's words in their colours.
    int title_y = (int)config_get<float>("help_popup", "title_y_from_top");
    EXPECT_GT(count_colour(frame, 100, title_y - 20, 340, 40,
                           config_get<Color4>("help_popup", "title_text_color")),
              200);
    int lines_y = (int)config_get<float>("help_popup", "page_labels_y_from_top");
    EXPECT_GT(count_colour(frame, 20, lines_y - 60, 500, 120,
                           config_get<Color4>("help_popup", "page_label_color")),
              300);
    // The hint, and no next button where it would be.
    int hint_y = from_bottom("solve_y_from_bottom");
    EXPECT_GT(count_colour(frame, 100, hint_y - 15, 340, 30,
                           config_get<Color4>("help_popup", "solve_text_color")),
              100);
    int next_y = from_bottom("next_button_y_from_bottom");
    EXPECT_EQ(count_colour(frame, 0, next_y - 40, WIDTH, 80,
                           config_get<Color4>("help_popup", "next_button_color"), 3),
              0);
}

TEST_F(PanelsGl, TheSecondAndThirdBoardsThenTheCloseButton) {
    remove_pair(20, 21);
    remove_pair(13, 16);
    ASSERT_EQ(tutorial.step, 2);
    std::vector<uint8_t> frame = draw_and_save("tutorial_step2");
    // The line turns in cell 7.
    Vec2 corner = cell_screen_position(7);
    Color4 line = help_ghost_line_color;
    Rgba p = read_pixel((int)corner.x, (int)corner.y);
    EXPECT_FALSE(same_rgb(p, background, 10));
    EXPECT_LT(abs(p.b - line.b), abs(p.b - background.b));

    remove_pair(14, 22);
    remove_pair(9, 19);
    ASSERT_EQ(tutorial.step, 3);
    frame = draw_and_save("tutorial_step3");
    Vec2 top = cell_screen_position(9);  // row 1, on the way round
    p = read_pixel((int)top.x, (int)top.y);
    EXPECT_LT(abs(p.b - line.b), abs(p.b - background.b));

    remove_pair(26, 28);
    remove_pair(13, 16);
    ASSERT_TRUE(tutorial.close_shown);
    frame = draw_and_save("tutorial_done");
    int close_y = from_bottom("close_button_y_from_bottom");
    Vec2 size = config_get<Vec2>("help_popup", "close_button_size");
    Color4 fill = config_get<Color4>("help_popup", "close_button_color2");
    EXPECT_TRUE(pixel_is(WIDTH / 2 - (int)size.x / 2 + 6, close_y, fill));
    EXPECT_GT(count_colour(frame, WIDTH / 2 - 80, close_y - 15, 160, 30,
                           config_get<Color4>("help_popup", "close_button_text_color2")),
              50);
    // No hint once the close button is there.
    EXPECT_EQ(count_colour(frame, 0, from_bottom("solve_y_from_bottom") - 15, WIDTH, 30,
                           config_get<Color4>("help_popup", "solve_text_color"), 3),
              0);

    press(WIDTH / 2, close_y);
    EXPECT_FALSE(tutorial_active);
    EXPECT_EQ(tutorial_done, 1);
}

TEST_F(PanelsGl, TheMenuWithTheProgressPanelAtRest) {
    end_tutorial();
    open_menu_panel();
    frames_for(1.0f);
    ASSERT_FLOAT_EQ(menu_panel_scale, 1.0f);
    ASSERT_FLOAT_EQ(progress_panel_offset, 0.0f);
    std::vector<uint8_t> frame = draw_and_save("menu");

    Vec2 offset = config_get<Vec2>("menu_panel", "top_right_offset");
    Vec2 panel = config_get<Vec2>("menu_panel", "bg_size");
    int left = WIDTH + (int)offset.x - (int)panel.x;
    int cx = left + (int)panel.x / 2;
    int cy = (int)offset.y + (int)panel.y / 2;
    EXPECT_TRUE(pixel_is(left + 5, cy, config_get<Color4>("menu_panel", "bg_color")));
    EXPECT_TRUE(pixel_is(left - 2, cy, config_get<Color4>("menu_panel", "bg_stroke_color")));
    for (const char* name : {"shuffle", "help", "settings"}) {
        std::string key = std::string(name) + "_button_";
        float y = offset.y + config_get<float>("menu_panel", (key + "y_from_top").c_str());
        Vec2 size = config_get<Vec2>("menu_panel", (key + "size").c_str());
        EXPECT_TRUE(pixel_is(cx - (int)size.x / 2 + 5, (int)y,
                             config_get<Color4>("menu_panel", (key + "color").c_str())))
            << name;
        EXPECT_GT(count_colour(frame, cx - 50, (int)y - 12, 100, 24,
                               config_get<Color4>("menu_panel", (key + "text_color").c_str())),
                  30)
            << name;
    }

    // Level 1: the first set shows its picture, the last set is still hidden.
    int top = HEIGHT + (int)config_get<float>("progress_panel", "y_from_bottom");
    float grid_y = top + config_get<float>("progress_panel", "tiles_y_from_top");
    float scale = config_get<float>("progress_panel", "tiles_scale");
    int per_row = config_get<uint8_t>("progress_panel", "tiles_max_per_row");
    float pad_x = config_get<float>("progress_panel", "tiles_padding_x");
    float pad_y = config_get<float>("progress_panel", "tiles_padding_y");
    Color4 hidden = config_get<Color4>("progress_panel", "tiles_color_hidden");
    Color4 revealed = config_get<Color4>("progress_panel", "tiles_color_revealed");
    ASSERT_EQ(revealed_sets, 1);
    GridSpot first = progress_grid_spot(1, tile_set_count, per_row, pad_x, pad_y);
    GridSpot last = progress_grid_spot(tile_set_count, tile_set_count, per_row, pad_x, pad_y);
    EXPECT_TRUE(pixel_is(WIDTH / 2 + (int)(last.x * scale), (int)(grid_y + last.y * scale), hidden));
    int fx = WIDTH / 2 + (int)(first.x * scale), fy = (int)(grid_y + first.y * scale);
    int half = (int)(30 * scale);
    EXPECT_GT(count_other(frame, fx - half, fy - half, 2 * half, 2 * half, revealed, hidden), 300);
    EXPECT_GT(count_colour(frame, WIDTH / 2 - 100, top + 10, 200, 60,
                           config_get<Color4>("progress_panel", "title_text_color")),
              100);
}

TEST_F(PanelsGl, TheSettingsSwitchesShowTheirStateByTheirKnobs) {
    end_tutorial();
    music_enabled = 1;
    sounds_enabled = 1;
    open_overlay(OVERLAY_SETTINGS_POPUP);
    frames_for(0.1f);
    std::vector<uint8_t> frame = draw_and_save("settings_on");

    Vec2 size = config_get<Vec2>("settings_popup", "row_toggle_size");
    float x0 = WIDTH / 2 + config_get<float>("settings_popup", "row_toggle_x_offset") - size.x / 2;
    float music_y = HEIGHT / 2 + config_get<float>("settings_popup", "music_y_from_mid");
    float sounds_y = HEIGHT / 2 + config_get<float>("settings_popup", "sounds_y_from_mid");
    Color4 bg_on = config_get<Color4>("settings_popup", "row_toggle_color_bg_on");
    Color4 bg_off = config_get<Color4>("settings_popup", "row_toggle_color_bg_off");
    Color4 mover_on = config_get<Color4>("settings_popup", "row_toggle_color_mover_on");
    Color4 mover_off = config_get<Color4>("settings_popup", "row_toggle_color_mover_off");
    int left = (int)(x0 - size.x / 4), right = (int)(x0 + size.x / 4);
    EXPECT_TRUE(pixel_is(right, (int)music_y, mover_on));  // knob on the right
    EXPECT_TRUE(pixel_is(left, (int)music_y, bg_on));
    EXPECT_TRUE(pixel_is(right, (int)sounds_y, mover_on));
    // Captions start at their offset, left of the centre.
    float text_x = WIDTH / 2 + config_get<float>("settings_popup", "row_text_x_offset");
    EXPECT_GT(count_colour(frame, (int)text_x, (int)music_y - 15, 120, 30,
                           config_get<Color4>("settings_popup", "row_text_color")),
              50);
    EXPECT_EQ(count_colour(frame, 0, (int)music_y - 15, (int)text_x - 2, 30,
                           config_get<Color4>("settings_popup", "row_text_color"), 3),
              0);

    settings_popup_click(x0, music_y);
    ASSERT_EQ(music_enabled, 0);
    frame = draw_and_save("settings_music_off");
    EXPECT_TRUE(pixel_is(left, (int)music_y, mover_off));  // knob on the left
    EXPECT_TRUE(pixel_is(right, (int)music_y, bg_off));
    EXPECT_TRUE(pixel_is(right, (int)sounds_y, mover_on));
    // The board stays hidden behind the popup.
    Vec2 tile = cell_screen_position(8);
    EXPECT_TRUE(pixel_is((int)tile.x, (int)tile.y, background));
}
