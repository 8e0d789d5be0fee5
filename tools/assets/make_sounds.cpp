// make-sounds: renders the game's sound effects (16-bit WAV) and music (Ogg
// Vorbis), mono at the game's 24000 Hz, into a sounds directory.
//
// The files are written into a sibling ".partial" directory that replaces
// the real one only after every file was written, so a failed run never
// leaves a half-filled directory behind. Any failure exits non-zero with the
// file and libsndfile's reason.
//
// Usage: make-sounds OUT_DIR
#include "sounds.h"

#include <sndfile.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

static const float MUSIC_PEAK = 0.45f;
static const double MUSIC_QUALITY = 0.5;   // Vorbis VBR quality, 0..1

static bool write_sound(const fs::path &path, const Track &track, bool vorbis) {
    SF_INFO info = {};
    info.samplerate = SYNTH_RATE;
    info.channels = 1;
    info.format = vorbis ? (SF_FORMAT_OGG | SF_FORMAT_VORBIS) : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "make-sounds: cannot open %s for writing: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    if (vorbis) {
        double quality = MUSIC_QUALITY;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    sf_count_t written = sf_write_float(file, track.data(), (sf_count_t)track.size());
    bool ok = written == (sf_count_t)track.size();
    if (!ok) std::fprintf(stderr, "make-sounds: writing %s failed: %s\n", path.c_str(), sf_strerror(file));
    if (sf_close(file) != 0) {
        std::fprintf(stderr, "make-sounds: closing %s failed\n", path.c_str());
        ok = false;
    }
    return ok;
}

static bool render_all(const fs::path &dir) {
    for (int i = 0; i < effect_recipe_count; i++) {
        const EffectRecipe &r = effect_recipes[i];
        Track track;
        r.make(track);
        trim_and_fade(track, 0.003f, 0.002, 0.03);
        normalise(track, r.peak);
        if (!write_sound(dir / r.file, track, false)) return false;
    }
    Track music;
    make_music(music);
    normalise(music, MUSIC_PEAK);
    return write_sound(dir / "music.ogg", music, true);
}

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sounds OUT_DIR\n");
        return 2;
    }
    fs::path out = fs::path(argv[1]).lexically_normal();
    if (!out.has_filename()) out = out.parent_path();
    fs::path stage = out;
    stage += ".partial";
    fs::path old = out;
    old += ".old";
    std::error_code ec;
    fs::remove_all(stage, ec);
    fs::create_directories(stage, ec);
    if (ec) {
        std::fprintf(stderr, "make-sounds: cannot create %s: %s\n", stage.c_str(), ec.message().c_str());
        return 1;
    }
    if (!render_all(stage)) {
        fs::remove_all(stage, ec);   // leave no half-filled directory
        return 1;
    }

    fs::remove_all(old, ec);
    if (fs::exists(out)) fs::rename(out, old, ec);
    if (!ec) fs::rename(stage, out, ec);
    if (ec) {
        std::fprintf(stderr, "make-sounds: cannot move %s into place: %s\n", stage.c_str(), ec.message().c_str());
        return 1;
    }
    fs::remove_all(old, ec);
    return 0;
}
