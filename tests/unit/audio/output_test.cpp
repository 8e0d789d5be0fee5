// output_test.cpp - the real output path through SDL's file-writing driver,
// and the silent game when no device opens.
#include <thread>

#include "audio/output.h"
#include "audio_fixture.h"

namespace {

class AudioOutput : public AudioTest {
protected:
    void TearDown() override {
        stop_audio_output();
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_DISKAUDIODELAY");
        AudioTest::TearDown();
    }
};

bool voice_active(int index) {
    platform_mutex_lock(&audio_lock);
    bool active = voices[index].active;
    platform_mutex_unlock(&audio_lock);
    return active;
}

TEST_F(AudioOutput, DeviceStreamIsTheMixersOutput) {
    std::string capture = scratch + "/stream.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    std::vector<float> tone(1500);
    for (size_t i = 0; i < tone.size(); i++) tone[i] = 0.1f + (float)(i % 100) / 200.0f;
    add_sound("tap", tone);
    play_sound("tap", 0);

    ASSERT_TRUE(start_audio_output());
    // The driver pulls buffers on its own thread; wait until the sound is over.
    while (voice_active(0)) std::this_thread::yield();
    // Each buffer is written to the file after its callback: let a few more
    // through so that the one where the sound ended is surely there.
    uintmax_t wanted = std::filesystem::file_size(capture) + 8 * AUDIO_BUFFER_FRAMES * sizeof(float);
    while (std::filesystem::file_size(capture) < wanted) std::this_thread::yield();
    stop_audio_output();

    FILE* file = fopen(capture.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<float> stream;
    float chunk[AUDIO_BUFFER_FRAMES];
    size_t got;
    while ((got = fread(chunk, sizeof(float), AUDIO_BUFFER_FRAMES, file)) > 0) stream.insert(stream.end(), chunk, chunk + got);
    fclose(file);
    EXPECT_EQ(stream.size() % AUDIO_BUFFER_FRAMES, 0u);
    // The driver may write silence while the device is still paused; the
    // sound then starts exactly at a buffer's start.
    size_t start = 0;
    while (start < stream.size() && stream[start] == 0.0f) start++;
    ASSERT_LT(start, stream.size());
    EXPECT_EQ(start % AUDIO_BUFFER_FRAMES, 0u);
    size_t end = (start / AUDIO_BUFFER_FRAMES + 4) * AUDIO_BUFFER_FRAMES;
    ASSERT_GE(stream.size(), end);
    for (size_t i = 0; i < tone.size(); i++) ASSERT_EQ(stream[start + i], tone[i]) << i;
    for (size_t i = start + tone.size(); i < end; i++) ASSERT_EQ(stream[i], 0.0f) << i;
}

TEST_F(AudioOutput, WithoutADeviceTheGameRunsSilently) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(start_audio_output());
    testing::internal::GetCapturedStderr();
    add_sound("tap", constant(0.5f, 100));
    // Voices start and nothing advances them: all eight fill, then voice 7
    // is taken over.
    for (int i = 0; i < 10; i++) play_sound("tap", (uint64_t)i);
    EXPECT_EQ(active_voice_count(), VOICE_COUNT);
    EXPECT_EQ(voices[7].position, 9u);
    EXPECT_EQ(voices[0].position, 0u);
    stop_audio_output();
    stop_audio_output();  // twice is harmless
}

}  // namespace
