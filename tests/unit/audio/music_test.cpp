// music_test.cpp - the looping music, its fade-in and resume position, and
// the mixer running on its own thread while the main thread works.
#include <atomic>
#include <thread>

#include "audio_fixture.h"

namespace {

class AudioMusic : public AudioTest {};
class AudioThreads : public AudioTest {};

std::vector<float> ramp(size_t count) {
    std::vector<float> out(count);
    for (size_t i = 0; i < count; i++) out[i] = 0.5f * (float)i / (float)count;
    return out;
}

TEST_F(AudioMusic, StartLoopsAndFadesInOverASecond) {
    Sound* music = add_sound("music", constant(0.5f, 1000));
    set_sound_level(music, 0.75f);
    start_music();
    EXPECT_TRUE(music->loop);
    EXPECT_EQ(music->volume.load(), 0.0f);
    EXPECT_TRUE(voices[0].active);
    EXPECT_EQ(voices[0].sound, music);
    ASSERT_NE(find_tween("music_fade_in"), nullptr);

    update_tweens(0.5f);
    EXPECT_NEAR(music->volume.load(), 0.75f * sinf(0.25f * (float)M_PI), 1e-5f);
    for (float x : mix(4)) EXPECT_NEAR(x, 0.5f * 0.75f * sinf(0.25f * (float)M_PI), 1e-5f);
    update_tweens(0.5f);
    EXPECT_FLOAT_EQ(music->volume.load(), 0.75f);
    EXPECT_EQ(find_tween("music_fade_in"), nullptr);
    // The loop never ends by itself.
    for (int i = 0; i < 5; i++) mix(512);
    EXPECT_TRUE(voices[0].active);
}

TEST_F(AudioMusic, OffAndOnWithinTheFadeRestartsItFromTheStoppedPlace) {
    Sound* music = add_sound("music", ramp(1000));
    start_music();
    mix(300);
    update_tweens(0.5f);
    float halfway = music->volume.load();
    EXPECT_GT(halfway, 0.0f);

    stop_music();
    EXPECT_EQ(music_resume_position, 300u);
    EXPECT_EQ(active_voice_count(), 0);
    EXPECT_EQ(find_tween("music_fade_in"), nullptr);
    update_tweens(0.25f);
    EXPECT_EQ(music->volume.load(), halfway);  // left where the fade had it

    start_music();
    EXPECT_EQ(music->volume.load(), 0.0f);
    EXPECT_EQ(voices[0].position, 300u);
    update_tweens(0.25f);
    EXPECT_NEAR(music->volume.load(), sinf(0.125f * (float)M_PI), 1e-5f);
    // One fade, not two fighting over the volume.
    int fades = 0;
    for (TweenSlot* t = active_tweens; t; t = t->next) fades += strcmp(t->name, "music_fade_in") == 0;
    EXPECT_EQ(fades, 1);
}

TEST_F(AudioMusic, ResumePositionAndSavedPosition) {
    add_sound("music", ramp(1000));
    add_sound("tap", constant(0.1f, 5000));
    play_sound("tap", 0);
    EXPECT_EQ(current_music_position(), 0u);

    // Stopping when nothing plays keeps the remembered place.
    music_resume_position = 77;
    stop_music();
    EXPECT_EQ(music_resume_position, 77u);

    start_music();
    EXPECT_EQ(voices[1].position, 77u);
    mix(100);
    EXPECT_EQ(current_music_position(), 177u);
    stop_music();
    EXPECT_EQ(music_resume_position, 177u);
    // Saved with the music off: 0, while the memory keeps 177.
    EXPECT_EQ(current_music_position(), 0u);
    EXPECT_TRUE(voices[0].active);  // stopping the music leaves effects alone

    // A saved position beyond the music (a shorter file now) starts at 0.
    music_resume_position = 5000;
    start_music();
    EXPECT_EQ(voices[1].position, 0u);
}

TEST_F(AudioMusic, MissingMusicIsNeverLoopedOrMixed) {
    enter_scratch();
    load_game_sounds();  // no files at all
    start_music();
    for (float x : mix(64)) EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(active_voice_count(), 0);
    stop_music();
    EXPECT_EQ(music_resume_position, 0u);
}

// The mixer pulls on its own thread while the main thread starts sounds,
// switches the music and reloads files; run under ThreadSanitizer.
TEST_F(AudioThreads, MixerThreadAgainstMainThreadWork) {
    enter_scratch();
    ASSERT_TRUE(write_wav(sound_path("tap.wav"), constant(0.3f, 2000), SF_FORMAT_FLOAT));
    ASSERT_TRUE(write_sound_file(sound_path("music.ogg"), ramp(24000), 1, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    stamp_mtime(sound_path("tap.wav"), 2000000);
    load_game_sounds();
    start_music();

    std::atomic<bool> stop{false};
    std::atomic<int> buffers{0};
    std::atomic<bool> out_of_range{false};
    std::thread audio([&] {
        std::vector<float> buffer(512);
        while (!stop.load()) {
            mix_voices(buffer.data(), 512);
            for (float x : buffer) {
                if (!(x >= -1.0f && x <= 1.0f)) out_of_range.store(true);
            }
            buffers.fetch_add(1);
        }
    });

    for (int round = 0; round < 40; round++) {
        play_sound("tap", 0);
        play_sound("tap", (uint64_t)round * 10);
        update_tweens(0.05f);
        if (round % 8 == 3) stop_music();
        if (round % 8 == 5) start_music();
        if (round % 10 == 7) {
            size_t length = 500 + (size_t)round * 20;
            ASSERT_TRUE(write_wav(sound_path("tap.wav"), constant(0.2f, length), SF_FORMAT_FLOAT));
            stamp_mtime(sound_path("tap.wav"), 2000001 + round);
            reload_changed_sounds();
        }
        (void)current_music_position();
        // Let the mixer run between rounds without relying on time.
        int seen = buffers.load();
        while (buffers.load() < seen + 2) std::this_thread::yield();
    }
    stop.store(true);
    audio.join();
    EXPECT_FALSE(out_of_range.load());
    EXPECT_GE(buffers.load(), 80);
}

}  // namespace
