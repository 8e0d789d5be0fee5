// decode_test.cpp - decoding sound files into slots, the load list and the
// live reload of changed files.
#include "audio_fixture.h"

namespace {

class AudioDecode : public AudioTest {};
class AudioReload : public AudioTest {};

const std::vector<float> PATTERN = {0.0f, 0.5f, -0.5f, 0.25f, -0.75f, 0.125f, 0.9f, -0.9f};

std::vector<float> sine(size_t count, float amplitude, float hz) {
    std::vector<float> out(count);
    for (size_t i = 0; i < count; i++) out[i] = amplitude * sinf(2.0f * (float)M_PI * hz * (float)i / 24000.0f);
    return out;
}

// What libsndfile itself decodes from a file, per channel averaged to mono.
std::vector<float> reference_mono(const std::string& path) {
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> interleaved((size_t)(info.frames * info.channels));
    sf_count_t frames = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    std::vector<float> mono((size_t)frames);
    for (sf_count_t i = 0; i < frames; i++) {
        float sum = 0.0f;
        for (int c = 0; c < info.channels; c++) sum += interleaved[(size_t)(i * info.channels + c)];
        mono[(size_t)i] = sum / (float)info.channels;
    }
    return mono;
}

TEST_F(AudioDecode, WavOfEveryDepthDecodesToFloats) {
    struct Case {
        int subformat;
        float tolerance;
        const char* label;
    } cases[] = {
        // Two quantisation steps: writing scales by 2^(n-1) - 1, reading
        // divides by 2^(n-1).
        {SF_FORMAT_PCM_U8, 2.0f / 128.0f, "8-bit"},
        {SF_FORMAT_PCM_16, 2.0f / 32768.0f, "16-bit"},
        {SF_FORMAT_PCM_24, 2.0f / 8388608.0f, "24-bit"},
        {SF_FORMAT_FLOAT, 0.0f, "float"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::string path = sound_path("depth.wav");
        ASSERT_TRUE(write_wav(path, PATTERN, c.subformat));
        Sound* slot = add_sound("depth", {});
        decode_sound_file(slot, path.c_str());
        ASSERT_EQ(slot->count, PATTERN.size());
        for (size_t i = 0; i < PATTERN.size(); i++) EXPECT_NEAR(slot->samples[i], PATTERN[i], c.tolerance);
        EXPECT_EQ(slot->volume.load(), 1.0f);
        EXPECT_EQ(slot->base_volume, 1.0f);
        EXPECT_STREQ(slot->path, path.c_str());
        EXPECT_NE(slot->mtime, 0);
        free_all_sounds();
    }
}

TEST_F(AudioDecode, StereoWavIsStoredInterleaved) {
    std::vector<float> frames = {0.1f, -0.1f, 0.2f, -0.2f, 0.3f, -0.3f};
    std::string path = sound_path("stereo.wav");
    ASSERT_TRUE(write_wav(path, frames, SF_FORMAT_FLOAT, 2));
    Sound* slot = add_sound("stereo", {});
    decode_sound_file(slot, path.c_str());
    ASSERT_EQ(slot->count, 6u);
    for (size_t i = 0; i < frames.size(); i++) EXPECT_FLOAT_EQ(slot->samples[i], frames[i]);
}

TEST_F(AudioDecode, MonoOggMatchesAReferenceDecoder) {
    std::string path = sound_path("music.ogg");
    ASSERT_TRUE(write_sound_file(path, sine(24000, 0.5f, 440.0f), 1, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    std::vector<float> reference = reference_mono(path);
    ASSERT_FALSE(reference.empty());

    Sound* slot = add_sound("music", {});
    decode_sound_file(slot, path.c_str());
    ASSERT_EQ(slot->count, reference.size());
    EXPECT_EQ(slot->count, 24000u);
    float worst = 0.0f;
    for (size_t i = 0; i < reference.size(); i++) worst = std::max(worst, fabsf(slot->samples[i] - reference[i]));
    EXPECT_LT(worst, 1e-3f);
}

TEST_F(AudioDecode, StereoOggIsMixedDownToMono) {
    std::vector<float> left = sine(12000, 0.6f, 300.0f);
    std::vector<float> interleaved;
    for (float x : left) {
        interleaved.push_back(x);
        interleaved.push_back(0.0f);
    }
    std::string path = sound_path("wide.ogg");
    ASSERT_TRUE(write_sound_file(path, interleaved, 2, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    std::vector<float> reference = reference_mono(path);

    Sound* slot = add_sound("wide", {});
    decode_sound_file(slot, path.c_str());
    // One float per frame, not per channel, and the average of both sides.
    ASSERT_EQ(slot->count, 12000u);
    ASSERT_EQ(reference.size(), 12000u);
    float worst = 0.0f, peak = 0.0f;
    for (size_t i = 0; i < reference.size(); i++) {
        worst = std::max(worst, fabsf(slot->samples[i] - reference[i]));
        peak = std::max(peak, fabsf(slot->samples[i]));
    }
    EXPECT_LT(worst, 1e-3f);
    EXPECT_NEAR(peak, 0.3f, 0.03f);
}

TEST_F(AudioDecode, OtherEndingsKeepTheirSamples) {
    Sound* slot = add_sound("keep", {0.1f, 0.2f, 0.3f});
    float* before = slot->samples;
    slot->volume.store(0.5f);
    std::string path = sound_path("keep.WAV");  // the ending is case-sensitive
    ASSERT_TRUE(write_wav(path, PATTERN));
    decode_sound_file(slot, path.c_str());
    EXPECT_EQ(slot->samples, before);
    EXPECT_EQ(slot->count, 3u);
    EXPECT_STREQ(slot->path, path.c_str());
    EXPECT_EQ(slot->volume.load(), 1.0f);

    Sound* fresh = add_sound("fresh", {});
    free(fresh->samples);
    fresh->samples = nullptr;
    decode_sound_file(fresh, sound_path("fresh.mp3").c_str());
    EXPECT_EQ(fresh->samples, nullptr);
    EXPECT_EQ(fresh->count, 0u);
}

TEST_F(AudioDecode, MissingOrBrokenFileGivesAnEmptySound) {
    Sound* slot = add_sound("gone", {0.1f, 0.2f});
    decode_sound_file(slot, sound_path("gone.wav").c_str());
    EXPECT_EQ(slot->count, 0u);
    EXPECT_EQ(slot->mtime, 0);

    std::string junk = sound_path("junk.ogg");
    FILE* file = fopen(junk.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fputs("OggS but not really a vorbis stream at all", file);
    fclose(file);
    decode_sound_file(slot, junk.c_str());
    EXPECT_EQ(slot->count, 0u);
    EXPECT_NE(slot->mtime, 0);

    std::string bad_wav = sound_path("junk.wav");
    std::filesystem::copy_file(junk, bad_wav);
    decode_sound_file(slot, bad_wav.c_str());
    EXPECT_EQ(slot->count, 0u);

    // Truncated after the header: whatever frames exist, never more.
    std::string cut = sound_path("cut.wav");
    ASSERT_TRUE(write_wav(cut, constant(0.5f, 1000)));
    std::filesystem::resize_file(cut, 44 + 200);
    decode_sound_file(slot, cut.c_str());
    EXPECT_LE(slot->count, 100u);
}

TEST_F(AudioDecode, LoadSoundNamesSlotsByFileName) {
    enter_scratch();
    ASSERT_TRUE(write_wav(sound_path("tap.wav"), PATTERN));
    ASSERT_TRUE(write_wav(sound_path("double.v2.wav"), PATTERN));
    ASSERT_TRUE(write_sound_file(sound_path("tap.ogg"), sine(2400, 0.3f, 500.0f), 1,
                                 SF_FORMAT_OGG | SF_FORMAT_VORBIS));

    Sound* tap = load_sound("tap.wav");
    EXPECT_EQ(tap, &sound_table.slots[0]);
    EXPECT_STREQ(tap->name, "tap");
    EXPECT_STREQ(tap->path, "sounds/tap.wav");
    EXPECT_EQ(tap->count, PATTERN.size());

    Sound* dotted = load_sound("double.v2.wav");
    EXPECT_STREQ(dotted->name, "double");

    // A WAV and an Ogg of one name take two slots; the lower one is found.
    Sound* tap_ogg = load_sound("tap.ogg");
    EXPECT_EQ(tap_ogg, &sound_table.slots[2]);
    EXPECT_STREQ(tap_ogg->name, "tap");
    EXPECT_EQ(tap_ogg->count, 2400u);
    EXPECT_EQ(find_sound("tap"), tap);
    EXPECT_EQ(find_sound("Tap"), nullptr);
    EXPECT_EQ(find_sound(nullptr), nullptr);
}

TEST_F(AudioDecode, FullTableReusesTheLastSlot) {
    enter_scratch();
    ASSERT_TRUE(write_wav(sound_path("a.wav"), constant(0.1f, 10)));
    ASSERT_TRUE(write_wav(sound_path("b.wav"), constant(0.2f, 20)));
    for (int i = 0; i < SOUND_SLOTS; i++) load_sound("a.wav");
    Sound* last = load_sound("b.wav");
    EXPECT_EQ(last, &sound_table.slots[SOUND_SLOTS - 1]);
    EXPECT_STREQ(last->name, "b");
    EXPECT_EQ(last->count, 20u);
    EXPECT_STREQ(sound_table.slots[SOUND_SLOTS - 2].name, "a");
}

TEST_F(AudioDecode, GameSoundsLoadInOrderWithTheirLevels) {
    enter_scratch();
    ASSERT_TRUE(write_wav(sound_path("tap.wav"), PATTERN));
    ASSERT_TRUE(write_wav(sound_path("win2_popup.wav"), PATTERN));
    // Everything else is missing: every name must still resolve.
    load_game_sounds();
    const char* names[] = {"music",      "tap",       "toggle",    "tile_select",
                           "tile_match", "no_moves",  "shuffle",   "menu_panel",
                           "win_popup",  "win2_popup", "lose_popup"};
    for (int i = 0; i < 11; i++) {
        EXPECT_STREQ(sound_table.slots[i].name, names[i]);
        EXPECT_EQ(find_sound(names[i]), &sound_table.slots[i]);
    }
    EXPECT_FALSE(sound_table.slots[11].used);
    EXPECT_EQ(find_sound("tap")->volume.load(), 0.5f);
    EXPECT_EQ(find_sound("tile_select")->base_volume, 0.5f);
    EXPECT_EQ(find_sound("win2_popup")->volume.load(), 0.8f);
    EXPECT_EQ(find_sound("toggle")->volume.load(), 1.0f);
    EXPECT_EQ(find_sound("tap")->count, PATTERN.size());
    EXPECT_EQ(find_sound("music")->count, 0u);
    EXPECT_FALSE(find_sound("music")->loop);

    // The music aims for one level however it starts: switched on later in
    // the run, or after its file was re-read while it played.
    Sound* music = find_sound("music");
    EXPECT_EQ(music->base_volume, MUSIC_LEVEL);
    start_music();
    update_tweens(1.0f);
    EXPECT_EQ(music->volume.load(), MUSIC_LEVEL);
    decode_sound_file(music, music->path);
    EXPECT_EQ(music->volume.load(), MUSIC_LEVEL);
    start_music();
    update_tweens(1.0f);
    EXPECT_EQ(music->volume.load(), MUSIC_LEVEL);
}

TEST_F(AudioReload, RewrittenFileIsHeardInPlaceAtItsOwnLevel) {
    enter_scratch();
    ASSERT_TRUE(write_wav(sound_path("tap.wav"), constant(0.25f, 100), SF_FORMAT_FLOAT));
    stamp_mtime(sound_path("tap.wav"), 1000000);
    Sound* tap = load_sound("tap.wav");
    set_sound_level(tap, 0.5f);
    play_sound("tap", 0);
    for (float x : mix(10)) EXPECT_FLOAT_EQ(x, 0.125f);

    // Nothing changed on disk: nothing is decoded again.
    float* before = tap->samples;
    reload_changed_sounds();
    EXPECT_EQ(tap->samples, before);

    ASSERT_TRUE(write_wav(sound_path("tap.wav"), constant(0.75f, 100), SF_FORMAT_FLOAT));
    stamp_mtime(sound_path("tap.wav"), 1000001);
    reload_changed_sounds();
    EXPECT_EQ(tap->mtime, 1000001);
    EXPECT_STREQ(tap->name, "tap");
    EXPECT_TRUE(voices[0].active);
    EXPECT_EQ(voices[0].position, 10u);
    for (float x : mix(10)) EXPECT_FLOAT_EQ(x, 0.375f);
    EXPECT_EQ(voices[0].position, 20u);
}

TEST_F(AudioReload, ShortenedFileEndsTheVoiceAtTheNewEnd) {
    enter_scratch();
    ASSERT_TRUE(write_wav(sound_path("long.wav"), constant(0.5f, 100), SF_FORMAT_FLOAT));
    stamp_mtime(sound_path("long.wav"), 1000000);
    load_sound("long.wav");
    play_sound("long", 0);
    play_sound("long", 0);
    mix(10);
    // As if the second voice had started 20 samples earlier.
    voices[1].position = 30;

    ASSERT_TRUE(write_wav(sound_path("long.wav"), constant(0.5f, 15), SF_FORMAT_FLOAT));
    stamp_mtime(sound_path("long.wav"), 1000002);
    reload_changed_sounds();
    ASSERT_EQ(find_sound("long")->count, 15u);

    std::vector<float> out = mix(8);
    // Voice 0 (at 10) plays five more samples; voice 1 (at 30) ends at once.
    for (int i = 0; i < 5; i++) EXPECT_FLOAT_EQ(out[i], 0.5f) << i;
    for (int i = 5; i < 8; i++) EXPECT_FLOAT_EQ(out[i], 0.0f) << i;
    EXPECT_EQ(active_voice_count(), 0);
}

TEST_F(AudioReload, VanishedFileKeepsItsSoundAndReturnsLater) {
    enter_scratch();
    Sound* late = load_sound("late.wav");  // not there yet
    EXPECT_EQ(late->count, 0u);
    EXPECT_EQ(late->mtime, 0);
    reload_changed_sounds();
    EXPECT_EQ(late->count, 0u);

    ASSERT_TRUE(write_wav(sound_path("late.wav"), constant(0.5f, 40)));
    reload_changed_sounds();
    EXPECT_EQ(late->count, 40u);

    // Deleted while the game runs: the decoded samples stay.
    std::filesystem::remove(sound_path("late.wav"));
    reload_changed_sounds();
    EXPECT_EQ(late->count, 40u);
}

}  // namespace
