// audio_fixture.h - shared set-up for the audio tests: a clean sound table,
// voice table and tween pool, a live audio_lock, a scratch directory, and
// helpers that write sound files with libsndfile.
#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>
#include <utime.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/mixer.h"
#include "audio/sounds.h"
#include "tween/tween.h"

// Writes frames of interleaved samples; returns false when libsndfile refuses.
inline bool write_sound_file(const std::string& path, const std::vector<float>& interleaved,
                             int channels, int format) {
    SF_INFO info = {};
    info.samplerate = 24000;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_VORBIS) {
        double quality = 0.9;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    sf_count_t frames = (sf_count_t)(interleaved.size() / (size_t)channels);
    sf_count_t written = sf_writef_float(file, interleaved.data(), frames);
    sf_close(file);
    return written == frames;
}

inline bool write_wav(const std::string& path, const std::vector<float>& samples,
                      int subformat = SF_FORMAT_PCM_16, int channels = 1) {
    return write_sound_file(path, samples, channels, SF_FORMAT_WAV | subformat);
}

// A file's modification time in whole seconds only changes once a second:
// tests that rewrite a file stamp it explicitly instead of waiting.
inline void stamp_mtime(const std::string& path, time_t when) {
    struct utimbuf times = {when, when};
    utime(path.c_str(), &times);
}

inline std::vector<float> constant(float value, size_t count) {
    return std::vector<float>(count, value);
}

class AudioTest : public ::testing::Test {
protected:
    std::string scratch;
    std::string previous_dir;

    void SetUp() override {
        free_all_sounds();
        clear_tweens();
        music_resume_position = 0;
        init_audio_lock();
        char pattern[] = "/tmp/audio_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
        std::filesystem::create_directory(scratch + "/sounds");
    }

    void TearDown() override {
        if (!previous_dir.empty()) {
            EXPECT_EQ(chdir(previous_dir.c_str()), 0);
        }
        free_all_sounds();
        clear_tweens();
        destroy_audio_lock();
        std::filesystem::remove_all(scratch);
    }

    // load_sound reads "sounds/<file>" relative to the working directory.
    void enter_scratch() {
        previous_dir = std::filesystem::current_path().string();
        ASSERT_EQ(chdir(scratch.c_str()), 0);
    }

    std::string sound_path(const char* file) const { return scratch + "/sounds/" + file; }

    // Puts a sound straight into the next free slot, as a decode would.
    Sound* add_sound(const char* name, const std::vector<float>& samples, bool loop = false) {
        for (Sound& slot : sound_table.slots) {
            if (slot.used) continue;
            slot.used = true;
            slot.loop = loop;
            snprintf(slot.name, sizeof slot.name, "%s", name);
            slot.count = samples.size();
            slot.samples = (float*)malloc(sizeof(float) * (samples.size() + 1));
            if (!samples.empty()) memcpy(slot.samples, samples.data(), sizeof(float) * samples.size());
            set_sound_level(&slot, 1.0f);
            return &slot;
        }
        ADD_FAILURE() << "sound table full";
        return nullptr;
    }

    std::vector<float> mix(int frames) {
        std::vector<float> buffer(frames, 123.0f);
        mix_voices(buffer.data(), frames);
        return buffer;
    }

    static int active_voice_count() {
        int n = 0;
        for (const Voice& voice : voices) n += voice.active ? 1 : 0;
        return n;
    }
};
