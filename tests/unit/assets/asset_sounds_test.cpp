// Data-contract tests for the generated sounds: every file the game loads is
// mono at the mixer's 24000 Hz (the game never resamples), audible, leaves
// headroom for several voices, starts and ends without a click; the music
// is a 30 to 60 second Vorbis loop whose end runs smoothly into its start.
#include "asset_files.h"

#include <sndfile.h>
#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const char *const EFFECTS[] = {"tap.wav", "toggle.wav", "tile_select.wav", "tile_match.wav", "no_moves.wav",
                               "shuffle.wav", "menu_panel.wav", "win_popup.wav", "win2_popup.wav",
                               "lose_popup.wav"};

float peak(const std::vector<float> &s) {
    float p = 0;
    for (float v : s) p = std::max(p, std::fabs(v));
    return p;
}

double rms(const std::vector<float> &s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; i++) sum += (double)s[i] * s[i];
    return to > from ? std::sqrt(sum / (to - from)) : 0;
}

}  // namespace

TEST(AssetSounds, EffectsAreMono24kHzPcmWithHeadroomAndNoClicks) {
    SKIP_WITHOUT_ASSETS();
    for (const char *name : EFFECTS) {
        SCOPED_TRACE(name);
        std::string path = run_path(std::string("sounds/") + name);
        SF_INFO info = {};
        SNDFILE *f = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.samplerate, 24000);
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        std::vector<float> s((size_t)info.frames * std::max(1, info.channels));
        EXPECT_EQ(sf_readf_float(f, s.data(), info.frames), info.frames);
        sf_close(f);
        ASSERT_GT(s.size(), 24000u / 20) << "shorter than 50 ms";
        EXPECT_LT(s.size(), 24000u * 5) << "an effect longer than 5 s";

        float p = peak(s);
        EXPECT_LE(p, 0.5f);
        EXPECT_GE(p, 0.25f) << "too quiet to hear over the music";
        EXPECT_GT(rms(s, 0, std::min<size_t>(s.size(), 2400)), 0.01) << "its first 100 ms are silent";
        EXPECT_LT(std::fabs(s.front()), 0.01f) << "starts with a click";
        EXPECT_LT(std::fabs(s.back()), 0.01f) << "ends with a click";
    }
}

TEST(AssetSounds, MusicIsAMonoVorbisLoopWithoutASeam) {
    SKIP_WITHOUT_ASSETS();
    std::string path = run_path("sounds/music.ogg");
    int error = 0;
    stb_vorbis *v = stb_vorbis_open_filename(path.c_str(), &error, nullptr);
    ASSERT_NE(v, nullptr) << path << " does not open as Ogg Vorbis (error " << error << ")";
    stb_vorbis_info info = stb_vorbis_get_info(v);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.sample_rate, 24000u);
    unsigned length = stb_vorbis_stream_length_in_samples(v);
    std::vector<float> s(length);
    float *channel = s.data();
    int decoded = stb_vorbis_get_samples_float(v, 1, &channel, (int)length);
    stb_vorbis_close(v);
    ASSERT_EQ((unsigned)decoded, length);

    double seconds = (double)length / 24000;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 60.0);
    EXPECT_LE(peak(s), 0.5f);
    EXPECT_GT(rms(s, 0, s.size()), 0.03) << "the music is nearly silent";
    // no quiet stretch of a whole second anywhere: the piece keeps going
    for (size_t at = 0; at + 24000 <= s.size(); at += 12000)
        EXPECT_GT(rms(s, at, at + 24000), 0.01) << "quiet second at " << at / 24000.0 << " s";

    // Played in a loop, the last sample is followed by the first: that step
    // must be no bigger than the steps around it.
    size_t n = s.size();
    float local = 0;
    for (size_t i = 1; i < 48; i++) {
        local = std::max(local, std::fabs(s[i] - s[i - 1]));
        local = std::max(local, std::fabs(s[n - i] - s[n - i - 1]));
    }
    EXPECT_LE(std::fabs(s[0] - s[n - 1]), 1.5f * local + 1e-3f)
        << "a jump where the loop wraps: " << s[n - 1] << " then " << s[0];
    // and the level carries on across the wrap (the tails were folded back)
    double end_level = rms(s, n - 2400, n), start_level = rms(s, 0, 2400);
    EXPECT_GT(start_level, 0.2 * end_level);
    EXPECT_GT(end_level, 0.2 * start_level);
}
