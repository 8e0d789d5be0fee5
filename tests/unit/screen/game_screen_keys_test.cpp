// game_screen_keys_test.cpp - the game screen's keys: where they are
// registered, and that the shipped config.txt gives every one of them a value.
#include "screen/game_screen_keys.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

struct GameScreenSettings : ::testing::Test {
    void SetUp() override { clear_config_registry(); }
    void TearDown() override { clear_config_registry(); }
};

int index_of(const char* section, const char* key) {
    for (int i = 0; i < config_var_count; i++) {
        if (strcmp(config_vars[i].section, section) == 0 && strcmp(config_vars[i].key, key) == 0)
            return i;
    }
    return -1;
}

TEST_F(GameScreenSettings, UnsectionedKeysComeFirstThenSectionsInOrder) {
    register_game_screen_settings();

    EXPECT_EQ(index_of("", "bg_color"), 0);
    int last_unsectioned = index_of("", "moves_challenge_footer_height");
    ASSERT_GE(last_unsectioned, 0);
    for (int i = 0; i <= last_unsectioned; i++) EXPECT_STREQ(config_vars[i].section, "");

    const char* sections[] = {"progress_bar", "level_label", "challenge_label",
                              "timer_label",  "moves_label", "no_moves"};
    int previous = last_unsectioned;
    for (const char* s : sections) {
        int first = -1;
        for (int i = 0; i < config_var_count && first < 0; i++)
            if (strcmp(config_vars[i].section, s) == 0) first = i;
        EXPECT_EQ(first, previous + 1) << s;
        while (first >= 0 && first + 1 < config_var_count &&
               strcmp(config_vars[first + 1].section, s) == 0)
            first++;
        previous = first;
    }
    EXPECT_EQ(previous, config_var_count - 1);
}

TEST_F(GameScreenSettings, OnlyTheTimerLabelHasAHighlightDuration) {
    register_game_screen_settings();
    EXPECT_GE(index_of("timer_label", "highlight_duration"), 0);
    EXPECT_EQ(index_of("level_label", "highlight_duration"), -1);
    EXPECT_EQ(index_of("challenge_label", "highlight_duration"), -1);
    EXPECT_EQ(index_of("moves_label", "highlight_duration"), -1);
    for (const char* s : {"level_label", "challenge_label", "timer_label", "moves_label"}) {
        for (const char* k : {"font_fn", "font_size", "y_from_top", "color"})
            EXPECT_GE(index_of(s, k), 0) << s << "." << k;
    }
}

TEST_F(GameScreenSettings, RegistrationLeavesNoSectionActive) {
    register_game_screen_settings();
    int32_t late = 0;
    ConfigVar* var = register_config_var("late", &late);
    ASSERT_NE(var, nullptr);
    EXPECT_STREQ(var->section, "");
}

TEST_F(GameScreenSettings, BgColorUnderASectionHeaderIsIgnored) {
    register_game_screen_settings();
    bg_color = Color3{1, 2, 3};
    std::string text = "[level_label]\nbg_color = 9, 9, 9\nfont_size = 40\n";
    apply_config_text(text.data(), text.size());
    EXPECT_EQ(bg_color.r, 1);
    EXPECT_EQ(level_label_settings.font_size, 40);
    EXPECT_NE(challenge_label_settings.font_size, 40);
}

// Size in bytes of the variable a record writes.
size_t target_size(const ConfigVar& var) {
    if (var.kind.first & (CONFIG_INT8 | CONFIG_BOOL)) return 1;
    if (var.kind.first & CONFIG_INT16) return 2;
    if (var.kind.first & (CONFIG_INT32 | CONFIG_NUMBER)) return 4;
    if (var.kind.first & CONFIG_TEXT) return CONFIG_TEXT_SIZE;
    if (var.kind.first & (CONFIG_POSITION | CONFIG_SIZE)) return sizeof(Vec2);
    if (var.kind.second & CONFIG_RGB) return sizeof(Color3);
    if (var.kind.second & CONFIG_RGBA) return sizeof(Color4);
    return 0;
}

TEST_F(GameScreenSettings, ShippedConfigSetsEveryGameScreenKey) {
    register_game_screen_settings();
    // Fill every variable with a pattern no sensible value has.
    for (int i = 0; i < config_var_count; i++)
        memset(config_vars[i].target, 0xA5, target_size(config_vars[i]));
    size_t length = 0;
    char* text = read_entire_file(GAME_SOURCE_DIR "/data/config.txt", &length);
    ASSERT_NE(text, nullptr);
    apply_config_text(text, length);
    EXPECT_EQ(std::string(text, length).find("Tap "), std::string::npos) << "a mouse clicks";
    free(text);

    for (int i = 0; i < config_var_count; i++) {
        const ConfigVar& var = config_vars[i];
        size_t size = target_size(var);
        ASSERT_GT(size, 0u);
        const uint8_t* bytes = (const uint8_t*)var.target;
        bool untouched = true;
        // Text targets are compared only up to their terminator.
        size_t compare = (var.kind.first & CONFIG_TEXT) ? strnlen((const char*)bytes, size) + 1 : size;
        for (size_t b = 0; b < compare && b < size; b++) untouched &= bytes[b] == 0xA5;
        EXPECT_FALSE(untouched) << "[" << var.section << "] " << var.key << " is not set";
        if (var.kind.first & CONFIG_TEXT) {
            const char* s = (const char*)bytes;
            size_t n = strnlen(s, size);
            EXPECT_GT(n, 0u) << var.key;
            // A blank before an inline comment would end up in the text.
            EXPECT_TRUE(n == 0 || (s[n - 1] != ' ' && s[n - 1] != '\t'))
                << "[" << var.section << "] " << var.key << " ends in a blank";
        }
        if (var.kind.first & CONFIG_INT8) {
            EXPECT_GT(*bytes, 0) << var.key;
        }
    }

    // Font files are the two the game ships.
    const char* fonts[] = {level_label_settings.font_fn,     challenge_label_settings.font_fn,
                           timer_label_settings.font_fn,     moves_label_settings.font_fn,
                           no_moves_settings.label1_font_fn, no_moves_settings.label2_font_fn};
    for (const char* f : fonts) {
        EXPECT_TRUE(strcmp(f, "PoetsenOne-Regular.ttf") == 0 || strcmp(f, "arialbd.ttf") == 0) << f;
    }
}

}  // namespace
