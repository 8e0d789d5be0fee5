// mixer_test.cpp - the voice table and mix_voices as a pure function of it.
#include "audio_fixture.h"

namespace {

class AudioMixer : public AudioTest {};

TEST_F(AudioMixer, NinthSoundCutsOffVoiceSevenOnly) {
    Sound* sounds[9];
    char name[16];
    for (int k = 0; k < 9; k++) {
        snprintf(name, sizeof name, "s%d", k);
        sounds[k] = add_sound(name, constant(0.01f * (float)(k + 1), 64));
    }
    for (int k = 0; k < 8; k++) {
        snprintf(name, sizeof name, "s%d", k);
        play_sound(name, 0);
    }
    mix(4);  // every voice now at position 4
    play_sound("s8", 0);

    for (int k = 0; k < 7; k++) {
        EXPECT_TRUE(voices[k].active);
        EXPECT_EQ(voices[k].sound, sounds[k]) << "voice " << k;
        EXPECT_EQ(voices[k].position, 4u) << "voice " << k;
    }
    EXPECT_EQ(voices[7].sound, sounds[8]);
    EXPECT_EQ(voices[7].position, 0u);

    // Output: the seven untouched voices plus the ninth sound, not the eighth.
    float expected = 0.0f;
    for (int k = 0; k < 7; k++) expected += 0.01f * (float)(k + 1);
    expected += 0.09f;
    for (float x : mix(8)) EXPECT_NEAR(x, expected, 1e-5f);
}

TEST_F(AudioMixer, TwoStartsOfOneSoundOverlapEachFromItsStart) {
    add_sound("tap", {0.1f, 0.2f, 0.3f, 0.4f});
    play_sound("tap", 0);
    std::vector<float> first = mix(2);
    EXPECT_FLOAT_EQ(first[0], 0.1f);
    EXPECT_FLOAT_EQ(first[1], 0.2f);

    play_sound("tap", 0);
    EXPECT_EQ(active_voice_count(), 2);
    std::vector<float> out = mix(5);
    EXPECT_FLOAT_EQ(out[0], 0.3f + 0.1f);
    EXPECT_FLOAT_EQ(out[1], 0.4f + 0.2f);
    // The first voice ended mid-buffer and adds nothing after its end.
    EXPECT_FLOAT_EQ(out[2], 0.3f);
    EXPECT_FLOAT_EQ(out[3], 0.4f);
    EXPECT_FLOAT_EQ(out[4], 0.0f);
    EXPECT_FALSE(voices[0].active);
    // The freed voice is the first one a new start takes.
    play_sound("tap", 0);
    EXPECT_TRUE(voices[0].active);
}

TEST_F(AudioMixer, StartPositionBeyondOrAtTheEnd) {
    add_sound("once", {0.1f, 0.2f, 0.3f});
    add_sound("loop", {0.1f, 0.2f, 0.3f}, true);

    // Beyond the end: from sample 0.
    play_sound("once", 7);
    EXPECT_EQ(voices[0].position, 0u);
    std::vector<float> out = mix(3);
    EXPECT_FLOAT_EQ(out[0], 0.1f);
    EXPECT_FLOAT_EQ(out[2], 0.3f);
    mix(1);
    EXPECT_FALSE(voices[0].active);

    // Exactly at the end, not looping: ends at once without output.
    play_sound("once", 3);
    EXPECT_EQ(voices[0].position, 3u);
    for (float x : mix(4)) EXPECT_EQ(x, 0.0f);
    EXPECT_FALSE(voices[0].active);

    // Exactly at the end, looping: wraps to sample 0 at once.
    play_sound("loop", 3);
    out = mix(4);
    EXPECT_FLOAT_EQ(out[0], 0.1f);
    EXPECT_FLOAT_EQ(out[1], 0.2f);
    EXPECT_FLOAT_EQ(out[2], 0.3f);
    EXPECT_FLOAT_EQ(out[3], 0.1f);
    EXPECT_TRUE(voices[0].active);
    EXPECT_EQ(voices[0].position, 1u);
}

TEST_F(AudioMixer, LoopingSoundWrapsAcrossBuffers) {
    add_sound("music", {0.1f, 0.2f, 0.3f}, true);
    play_sound("music", 0);
    std::vector<float> out = mix(4);
    std::vector<float> more = mix(4);
    out.insert(out.end(), more.begin(), more.end());
    const float expected[] = {0.1f, 0.2f, 0.3f, 0.1f, 0.2f, 0.3f, 0.1f, 0.2f};
    for (int i = 0; i < 8; i++) EXPECT_FLOAT_EQ(out[i], expected[i]) << i;
}

TEST_F(AudioMixer, ClampAfterEachVoiceInIndexOrder) {
    add_sound("up", {0.8f});
    add_sound("down", {-0.5f});
    play_sound("up", 0);
    play_sound("up", 0);
    play_sound("down", 0);
    // 0.8 + 0.8 saturates at 1.0, then the third voice lowers it.
    EXPECT_FLOAT_EQ(mix(1)[0], 0.5f);

    play_sound("up", 0);
    play_sound("up", 0);
    EXPECT_FLOAT_EQ(mix(1)[0], 1.0f);

    add_sound("low", {-0.8f});
    add_sound("high", {0.5f});
    play_sound("low", 0);
    play_sound("low", 0);
    play_sound("high", 0);
    EXPECT_FLOAT_EQ(mix(1)[0], -0.5f);
}

TEST_F(AudioMixer, ZeroLengthSoundEndsInFirstCallback) {
    add_sound("empty", {});
    play_sound("empty", 0);
    EXPECT_TRUE(voices[0].active);
    for (float x : mix(16)) EXPECT_EQ(x, 0.0f);
    EXPECT_FALSE(voices[0].active);
    EXPECT_EQ(voices[0].sound, nullptr);
}

TEST_F(AudioMixer, LoopingEmptySoundIsNeverMixedAndNeverSpins) {
    add_sound("music", {}, true);
    add_sound("tap", constant(0.25f, 8));
    play_sound("music", 0);
    play_sound("tap", 0);
    std::vector<float> out = mix(8);
    for (float x : out) EXPECT_FLOAT_EQ(x, 0.25f);
    EXPECT_FALSE(voices[0].active);
    EXPECT_TRUE(voices[1].active);
}

TEST_F(AudioMixer, VolumeChangeIsHeardFromTheNextBuffer) {
    Sound* hum = add_sound("hum", constant(0.4f, 100));
    play_sound("hum", 0);
    play_sound("hum", 0);
    for (float x : mix(8)) EXPECT_FLOAT_EQ(x, 0.8f);
    hum->volume.store(0.25f);
    // Both voices of the sound follow its one gain.
    for (float x : mix(8)) EXPECT_FLOAT_EQ(x, 0.2f);
}

TEST_F(AudioMixer, PositionPastAShortenedSoundEndsOrWraps) {
    Sound* once = add_sound("once", constant(0.1f, 50));
    Sound* loop = add_sound("loop", {0.3f, 0.6f, 0.9f, 0.3f, 0.6f, 0.9f}, true);
    play_sound("once", 40);
    play_sound("loop", 5);
    // A reload left both sounds shorter than their voices' positions.
    once->count = 10;
    loop->count = 3;
    std::vector<float> out = mix(4);
    EXPECT_FALSE(voices[0].active);
    EXPECT_FLOAT_EQ(out[0], 0.3f);
    EXPECT_FLOAT_EQ(out[1], 0.6f);
    EXPECT_FLOAT_EQ(out[2], 0.9f);
    EXPECT_FLOAT_EQ(out[3], 0.3f);
}

TEST_F(AudioMixer, UnknownNameStartsNothing) {
    add_sound("tap", constant(0.5f, 4));
    play_sound("nope", 0);
    play_sound(nullptr, 0);
    EXPECT_EQ(active_voice_count(), 0);
    for (float x : mix(4)) EXPECT_EQ(x, 0.0f);
}

TEST_F(AudioMixer, SilentOutputWithoutVoices) {
    // The buffer is cleared even though nothing plays.
    for (float x : mix(512)) EXPECT_EQ(x, 0.0f);
}

}  // namespace
