// screen_fixture.h - the whole game screen in a real 540 x 960 context: a
// throw-away run directory with the built fonts, images and sounds (linked
// from the run directory), the repository's config.txt and shaders, a saved
// game that has seen the tutorial, and the start-up loading of the game.
// Tests then set up a state, draw one frame and read pixels back.
#pragma once

#include <glad/gl.h>
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/shell.h"
#include "audio/mixer.h"
#include "audio/sounds.h"
#include "config/config.h"
#include "render/font.h"
#include "render/matrix.h"
#include "render/texture.h"
#include "screen/game_screen.h"
#include "screen/tile_textures.h"
#include "support/gl_context.h"
#include "unit/screen/game_fixture.h"

class ScreenGl : public ::testing::Test {
   protected:
    GlTestContext gl = {};
    static constexpr int WIDTH = 540, HEIGHT = 960;

    void SetUp() override {
        ASSERT_TRUE(create_gl_test_context(&gl, WIDTH, HEIGHT));
        ASSERT_EQ(gl.width, WIDTH);
        ASSERT_EQ(gl.height, HEIGHT);
        for (const char* item : {"fonts", "images", "sounds", "level_seed_offsets"})
            ASSERT_TRUE(link_from_run_dir(item));
        ASSERT_TRUE(copy_file_to(GAME_SOURCE_DIR "/data/config.txt", "config.txt"));
        std::error_code error;
        std::filesystem::create_directory("tmp", error);
        write_save(1);

        reset_game_globals(GAME_TEST_SEED);
        ASSERT_TRUE(start_game_drawing(WIDTH, HEIGHT));
        init_audio_lock();
        clear_config_registry();
        register_all_settings();
        load_config();
        ASSERT_TRUE(load_game_assets());
        shell.frame_delta = 1.0f / 60;
    }

    void TearDown() override {
        release_game();
        reset_game_globals(GAME_TEST_SEED);
        destroy_gl_test_context(&gl);
    }

    // A saved game at this level that has seen the tutorial, with music and
    // sounds off; its board is refused (width 11), so the level is dealt.
    static void write_save(uint16_t level_number) {
        FILE* f = fopen("autosave", "wb");
        ASSERT_NE(f, nullptr);
        uint8_t bytes[17] = {2, (uint8_t)level_number, (uint8_t)(level_number >> 8), 1, 0, 0, 1};
        bytes[15] = 11;
        fwrite(bytes, 1, sizeof bytes, f);
        fclose(f);
    }

    // Plays this level from its dealt board, as a fresh start would.
    static void go_to_level(uint16_t number) {
        reset_level_state();
        level = number;
        current_set = tile_set_of_level(number);
        next_set = (uint8_t)((current_set + 1) % tile_set_count);
        if (!tile_set_loaded(current_set)) load_tile_set(current_set);
        level_state.time_left = level_state.pair_budget = 0;
        start_level();
    }

    // Plays this board as if it came from the saved game.
    static void play_saved_board(uint16_t number, const Board& b) {
        reset_level_state();
        level = number;
        current_set = tile_set_of_level(number);
        next_set = (uint8_t)((current_set + 1) % tile_set_count);
        if (!tile_set_loaded(current_set)) load_tile_set(current_set);
        SavedProgress saved = saved_board(number, b);
        start_level(&saved);
    }

    static void frames(int count) {
        for (int i = 0; i < count; i++) update_game_screen(shell.frame_delta);
    }
    static void frames_for(float seconds) { frames((int)(seconds / shell.frame_delta) + 1); }

    static void draw_frame() {
        glClear(GL_COLOR_BUFFER_BIT);
        draw_game_screen();
        ASSERT_EQ(matrix_stack_depth(), 0) << "the frame left matrices pushed";
    }

    // With SCREEN_SHOTS_DIR set, keeps the frame as <dir>/<name>.png for a
    // person to look at; the tests never compare whole images.
    static void keep_shot(const char* name) {
        const char* dir = getenv("SCREEN_SHOTS_DIR");
        if (!dir || !*dir) return;
        std::vector<uint8_t> pixels = read_framebuffer(WIDTH, HEIGHT);
        std::string path = std::string(dir) + "/" + name + ".png";
        stbi_write_png(path.c_str(), WIDTH, HEIGHT, 4, pixels.data(), WIDTH * 4);
    }

    static Rgba at(float x, float y) {
        return read_pixel((int)std::lround(x), (int)std::lround(y));
    }

    // Pixels of a band (x0..x1, y0..y1) within tolerance of a colour.
    static int count_near(int x0, int y0, int x1, int y1, Rgba colour, int tolerance = 24) {
        int n = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) {
                Rgba p = read_pixel(x, y);
                if (abs(p.r - colour.r) <= tolerance && abs(p.g - colour.g) <= tolerance &&
                    abs(p.b - colour.b) <= tolerance)
                    n++;
            }
        return n;
    }
};

// A colour laid over another with its alpha, as the blending does.
inline Rgba blend(Color4 top, Color3 under) {
    float a = top.a / 255.0f;
    Rgba p;
    p.r = (uint8_t)std::lround(top.r * a + under.r * (1 - a));
    p.g = (uint8_t)std::lround(top.g * a + under.g * (1 - a));
    p.b = (uint8_t)std::lround(top.b * a + under.b * (1 - a));
    p.a = 255;
    return p;
}
inline Rgba rgb(Color4 c) {
    return Rgba{c.r, c.g, c.b, 255};
}
inline Rgba rgb(Color3 c) {
    return Rgba{c.r, c.g, c.b, 255};
}

inline ::testing::AssertionResult near(Rgba p, Rgba want, int tolerance = 3) {
    if (abs(p.r - want.r) <= tolerance && abs(p.g - want.g) <= tolerance &&
        abs(p.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << (int)p.r << ", " << (int)p.g << ", " << (int)p.b << ") is not near ("
           << (int)want.r << ", " << (int)want.g << ", " << (int)want.b << ")";
}
