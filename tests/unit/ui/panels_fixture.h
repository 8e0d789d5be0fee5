// panels_fixture.h - the game without a window for the tutorial and panel
// tests: the shipped tile pictures (decoded on the CPU only), fixed window
// size and timings, the four panel sections read from a fixed config text,
// tiny sounds whose voices show what was played, and a throw-away working
// directory for "autosave".
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/shell.h"
#include "audio/mixer.h"
#include "audio/sounds.h"
#include "board/board.h"
#include "board/progress.h"
#include "board/random.h"
#include "board/tutorial.h"
#include "config/config.h"
#include "render/texture.h"
#include "screen/click.h"
#include "screen/level_flow.h"
#include "screen/shuffle_flow.h"
#include "screen/tutorial_flow.h"
#include "screen/game_screen.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/tile_textures.h"
#include "tween/tween.h"
#include "support/game_globals.h"
#include "support/gl_context.h"
#include "ui/popups.h"
#include "unit/audio/audio_fixture.h"

// Positions below are worked out from these values on a 540 x 960 window.
inline const char* panels_test_config() {
    return "[menu_panel]\n"
           "top_right_offset = -20, 80\n"
           "bg_size = 200, 240\n"
           "bg_stroke_size = 4\n"
           "shuffle_button_y_from_top = 50\n"
           "shuffle_button_size = 160, 60\n"
           "help_button_y_from_top = 120\n"
           "help_button_size = 160, 60\n"
           "settings_button_y_from_top = 190\n"
           "settings_button_size = 160, 60\n"
           "\n"
           "[progress_panel]\n"
           "y_from_bottom = -300\n"
           "appear_anim_duration = 0.3\n"
           "bg_size = 500, 280\n"
           "tiles_max_per_row = 4\n"
           "tiles_scale = 1\n"
           "\n"
           "[help_popup]\n"
           "page1_text1 = one\n"
           "next_button_y_from_bottom = -100\n"
           "next_button_size = 200, 60\n"
           "close_button_y_from_bottom = -200\n"
           "close_button_size = 240, 60\n"
           "\n"
           "[settings_popup]\n"
           "row_toggle_x_offset = 150\n"
           "row_toggle_size = 100, 50\n"
           "music_y_from_mid = -50\n"
           "sounds_y_from_mid = 50\n"
           "close_button_y_from_bottom = -150\n"
           "close_button_size = 200, 60\n";
}

// Window points of the test layout.
struct PanelsLayout {
    // Menu: panel x 320..520, y 80..320; buttons centred on x 420.
    static constexpr float MENU_X = 420, SHUFFLE_Y = 130, HELP_Y = 200, SETTINGS_Y = 270;
    // Help popup buttons, centred on x 270.
    static constexpr float NEXT_Y = 860, CLOSE_Y = 760;
    // Settings: switches centred on x 370, rows at 430 and 530; close at 810.
    static constexpr float SWITCH_X = 370, MUSIC_Y = 430, SOUNDS_Y = 530, CLOSE_SETTINGS_Y = 810;
};

constexpr uint32_t PANELS_TEST_SEED = 7;

class PanelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(enter_temp_work_dir(&dir, "panels"));
        ASSERT_TRUE(link_from_run_dir("images"));
        reset_game_globals(PANELS_TEST_SEED);
        use_test_layout(140, 40);
        load_image("rounded_rect.png");  // the panel shapes cut from it
        load_tile_set_counts("images");
        ASSERT_GE(tile_set_count, 3);

        clear_config_registry();
        register_menu_panel_settings();
        register_progress_panel_settings();
        register_help_popup_settings();
        register_settings_popup_settings();
        const char* text = panels_test_config();
        apply_config_text(text, strlen(text));

        init_audio_lock();
        std::filesystem::create_directory("sounds");
        for (const char* name : {"tap", "toggle", "menu_panel", "win_popup", "music"}) {
            std::string file = std::string(name) + ".wav";
            ASSERT_TRUE(write_wav("sounds/" + file, constant(0.1f, 24000)));
            load_sound(file.c_str());
        }
    }

    void TearDown() override {
        reset_game_globals(PANELS_TEST_SEED);
        free_all_sounds();
        destroy_audio_lock();
        clear_config_registry();
        leave_temp_work_dir(&dir);
    }

    // Plays a regular level on this board, as if it had been restored.
    void play_board(uint16_t lvl, const Board& b) {
        level = lvl;
        current_set = tile_set_of_level(lvl);
        next_set = (uint8_t)((current_set + 1) % tile_set_count);
        if (!tile_set_loaded(current_set)) load_tile_set(current_set);
        SavedProgress saved = saved_board(lvl, b);
        start_level(&saved);
    }

    void frames(int count) {
        for (int i = 0; i < count; i++) update_game_screen(shell.frame_delta);
    }
    void frames_for(float seconds) { frames((int)(seconds / TEST_FRAME) + 2); }

    void press_at(float x, float y) { handle_click(true, true, x, y); }
    void press_cell(int cell) {
        Vec2 p = cell_screen_position((uint8_t)cell);
        press_at(p.x, p.y);
    }
    // Both tiles of a pair, then the whole removal animation.
    void remove_pair(int a, int b) {
        press_cell(a);
        press_cell(b);
        frames_for(tile_remove_duration1 + tile_remove_duration2);
    }

    static int voices_playing(const char* name) {
        int count = 0;
        for (const Voice& v : voices)
            if (v.active && v.sound && strcmp(v.sound->name, name) == 0) count++;
        return count;
    }
    static void silence_voices() {
        for (Voice& v : voices) v = Voice{};
    }

    static std::multiset<std::string> loaded_texture_names() {
        std::multiset<std::string> names;
        for (Texture* t = texture_list; t; t = t->next) names.insert(t->name);
        return names;
    }

    TempWorkDir dir;
};

// A small regular board: 1 and 1, 2 and 2, 3 and 3 touch side by side.
inline Board three_pairs_board() {
    Board b = {};
    b.width = 8;
    b.height = 3;
    const uint8_t middle[8] = {0, 1, 1, 2, 2, 3, 3, 0};
    memcpy(b.cells + 8, middle, sizeof middle);
    b.tile_count = 6;
    return b;
}
