// settings_popup_test.cpp - the music and sounds switches, the close
// button and the clock, and presses that hit nothing.
#include "audio/sounds.h"
#include "ui/overlays.h"
#include "unit/ui/panels_fixture.h"

namespace {

using L = PanelsLayout;

class SettingsPopup : public PanelsTest {
protected:
    void SetUp() override {
        PanelsTest::SetUp();
        play_board(3, three_pairs_board());
        open_overlay(OVERLAY_SETTINGS_POPUP);
        silence_voices();
    }
    void press_music() { press_at(L::SWITCH_X, L::MUSIC_Y); }
    void press_sounds() { press_at(L::SWITCH_X, L::SOUNDS_Y); }

    // What "autosave" says about the two settings.
    void reload_settings(uint8_t* music, uint8_t* sounds) {
        uint8_t keep_music = music_enabled, keep_sounds = sounds_enabled;
        load_progress();
        *music = music_enabled;
        *sounds = sounds_enabled;
        music_enabled = keep_music;
        sounds_enabled = keep_sounds;
    }
};

Voice* music_voice() {
    for (Voice& v : voices)
        if (v.active && v.sound && strcmp(v.sound->name, "music") == 0) return &v;
    return nullptr;
}

}  // namespace

TEST_F(SettingsPopup, SwitchingSoundsOffIsHeardBeforeAndOnAfter) {
    sounds_enabled = 1;
    press_sounds();
    EXPECT_EQ(sounds_enabled, 0);
    EXPECT_EQ(voices_playing("toggle"), 1);

    silence_voices();
    press_sounds();
    EXPECT_EQ(sounds_enabled, 1);
    EXPECT_EQ(voices_playing("toggle"), 1);

    uint8_t music = 9, sounds = 9;
    reload_settings(&music, &sounds);
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(music, 0);
}

TEST_F(SettingsPopup, MusicSwitchClicksOnlyWithSoundsOn) {
    sounds_enabled = 0;
    press_music();
    EXPECT_EQ(music_enabled, 1);
    EXPECT_EQ(voices_playing("toggle"), 0);
    uint8_t music = 9, sounds = 9;
    reload_settings(&music, &sounds);
    EXPECT_EQ(music, 1);

    sounds_enabled = 1;
    press_music();
    EXPECT_EQ(music_enabled, 0);
    EXPECT_EQ(voices_playing("toggle"), 1);
    reload_settings(&music, &sounds);
    EXPECT_EQ(music, 0);
}

TEST_F(SettingsPopup, MusicOffAndOnResumesWhereItStoppedWithTheFade) {
    music_enabled = 1;
    start_music();
    float buffer[4800];
    mix_voices(buffer, 4800);
    ASSERT_NE(music_voice(), nullptr);
    uint64_t played = music_voice()->position;
    ASSERT_EQ(played, 4800u);

    press_music();
    EXPECT_EQ(music_enabled, 0);
    EXPECT_EQ(music_voice(), nullptr);
    EXPECT_EQ(music_resume_position, played);

    press_music();
    EXPECT_EQ(music_enabled, 1);
    ASSERT_NE(music_voice(), nullptr);
    EXPECT_EQ(music_voice()->position, played);
    EXPECT_FLOAT_EQ(find_sound("music")->volume.load(), 0.0f);
    TweenSlot* fade = find_tween("music_fade_in");
    ASSERT_NE(fade, nullptr);
    EXPECT_FLOAT_EQ(fade->duration, 1.0f);
}

TEST_F(SettingsPopup, CloseRunsTheChallengeClockEvenBeforeAnySelection) {
    play_board(10, three_pairs_board());
    ASSERT_TRUE(time_challenge);
    ASSERT_FALSE(clock_running());
    open_overlay(OVERLAY_SETTINGS_POPUP);
    sounds_enabled = 1;
    press_at(270, L::CLOSE_SETTINGS_Y);
    EXPECT_FALSE(overlay_open(OVERLAY_SETTINGS_POPUP));
    EXPECT_TRUE(clock_running());
    EXPECT_EQ(voices_playing("tap"), 1);
}

TEST_F(SettingsPopup, CloseInARegularLevelLeavesTheClockStopped) {
    press_at(270 - 100, L::CLOSE_SETTINGS_Y + 30);  // the close button's corner
    EXPECT_FALSE(overlay_open(OVERLAY_SETTINGS_POPUP));
    EXPECT_FALSE(clock_running());
}

TEST_F(SettingsPopup, PressesOnNothingChangeNothingAndNeverReachTheBoard) {
    music_enabled = 1;
    sounds_enabled = 1;
    const Board before = board;
    const Vec2 misses[] = {
        {L::SWITCH_X, 480},                // between the rows
        {L::SWITCH_X - 50.5f, L::MUSIC_Y},  // just left of the music switch
        {L::SWITCH_X, L::SOUNDS_Y + 25.5f},  // just below the sounds switch
        {10, 10},                           // where the menu button would be
    };
    for (Vec2 p : misses) {
        press_at(p.x, p.y);
        EXPECT_TRUE(overlay_open(OVERLAY_SETTINGS_POPUP));
    }
    press_cell(9);  // a tile of the hidden board
    EXPECT_EQ(music_enabled, 1);
    EXPECT_EQ(sounds_enabled, 1);
    EXPECT_FALSE(level_state.selected);
    EXPECT_FALSE(overlay_open(OVERLAY_MENU_PANEL));
    EXPECT_EQ(memcmp(&board, &before, sizeof board), 0);
    EXPECT_EQ(active_tween_count, 0);
    EXPECT_EQ(voices_playing("toggle") + voices_playing("tap"), 0);
    EXPECT_FALSE(std::filesystem::exists("autosave"));
}
