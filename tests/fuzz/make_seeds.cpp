// make_seeds.cpp - writes the starting corpus of every fuzz harness, so no
// binary sample is kept in the repository.
//
// Usage: make_seeds OUT_DIR CONFIG_TXT. Each harness gets OUT_DIR/<name>/
// with a few valid files of its format (made with the same libraries the
// game reads them with) and a few damaged ones.
#include <sndfile.h>
#include <stb/stb_image_write.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/progress.h"
#include "board/save_codec.h"
#include "platform/platform.h"
#include "render/font.h"

static std::string out_dir;

static std::string seed_path(const char* harness, const char* name) {
    std::string dir = out_dir + "/" + harness;
    mkdir(dir.c_str(), 0755);
    return dir + "/" + name;
}

static void write_seed(const char* harness, const char* name, const void* data, size_t size) {
    std::string path = seed_path(harness, name);
    FILE* file = fopen(path.c_str(), "wb");
    if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0) {
        fprintf(stderr, "make_seeds: cannot write %s\n", path.c_str());
        exit(1);
    }
}

static void write_text(const char* harness, const char* name, const char* text) {
    write_seed(harness, name, text, strlen(text));
}

// The whole config.txt, and each of its sections alone (short inputs
// mutate faster).
static void config_seeds(const char* config_path) {
    size_t length = 0;
    char* text = read_entire_file(config_path, &length);
    if (!text) {
        fprintf(stderr, "make_seeds: cannot read %s\n", config_path);
        exit(1);
    }
    write_seed("config", "config.txt", text, length);
    int part = 0;
    const char* start = text;
    while (*start) {
        const char* next = strstr(start + 1, "\n[");
        size_t size = next ? (size_t)(next + 1 - start) : strlen(start);
        char name[32];
        snprintf(name, sizeof name, "section_%02d", part++);
        write_seed("config", name, start, size);
        start += size;
    }
    free(text);
    write_text("config", "edges",
               "\t  [level_label]\r\nfont_size = 40 # inline\n\nfont_size=300\n"
               "[timer_label] # comment in the name\nbg_color = 300,,-1, 7,8\n"
               "tile icon_scale = 1e39\nline = a = b\n=\n[\n]\n#");
}

static void count_seeds() {
    write_text("count_text", "plain", "12\n");
    write_text("count_text", "signed", " \t-7");
    write_text("count_text", "trailing", "+300x");
    write_text("count_text", "long", "99999999999999999999999999999");
}

static void window_place_seeds() {
    write_text("window_place", "windowed", "467 0 432 768 0\n");
    write_text("window_place", "fullscreen", "-1920 -30 540 960 1\r\n");
}

static void seed_offset_seeds() {
    const uint8_t records[] = {0, 0, 3, 9, 0, 1, 0x0f, 0x27, 200, 0x10, 0x27, 5, 0xff, 0xff, 1, 7};
    write_seed("seed_offsets", "records", records, sizeof records);
}

static void progress_seed(const char* name, const SavedProgress& p, int version) {
    uint8_t file[PROGRESS_MAX_BYTES];
    size_t length = encode_progress(&p, file, sizeof file);
    if (length == 0) {
        fprintf(stderr, "make_seeds: cannot encode %s\n", name);
        exit(1);
    }
    if (version == 1) {
        file[0] = 1;
        length -= 10;  // no statistics
    }
    write_seed("progress", name, file, length);
}

static void progress_seeds() {
    SavedProgress p;
    default_saved_progress(&p);
    progress_seed("first_start", p, 2);

    p.level = 7;
    p.width = 6;
    p.height = 8;
    for (int row = 1; row < 7; row++)
        for (int col = 1; col < 5; col++) p.cells[row * 6 + col] = (uint8_t)(1 + (row * 4 + col) % 12);
    p.level_time = 31.5f;
    p.best_match_time = 1.25f;
    p.match_count = 9;
    p.music_position = 123456;
    progress_seed("regular", p, 2);
    progress_seed("regular_v1", p, 1);

    p.level = 10;
    p.time_left = 95;
    progress_seed("time_challenge", p, 2);

    p.level = 20;
    p.time_left = 0;
    p.pair_budget = 42;
    p.ghosts[7] = p.ghosts[8] = p.ghosts[20] = 1;
    progress_seed("pairs_countdown", p, 2);
}

// A plausible glyph table and ascent: the end of a 32 px cache file.
static void font_cache_seeds() {
    Glyph glyphs[FONT_GLYPH_COUNT] = {};
    const float side = 512.0f;
    for (int i = 0; i < FONT_GLYPH_COUNT; i++) {
        Glyph& g = glyphs[i];
        g.code = (uint8_t)(32 + i);
        float x0 = (float)(i % 16) * 30, y0 = (float)(i / 16) * 40, w = 10.0f + i % 9, h = 24;
        const float xy[8] = {0, 0, w, 0, 0, h, w, h};
        const float uv[8] = {x0 / side,       y0 / side,       (x0 + w) / side, y0 / side,
                             x0 / side,       (y0 + h) / side, (x0 + w) / side, (y0 + h) / side};
        memcpy(g.corner_xy, xy, sizeof xy);
        memcpy(g.corner_uv, uv, sizeof uv);
        g.x_offset = 1.0f;
        g.y_offset = -20.0f;
        g.advance = w + 2.0f;
    }
    unsigned char tail[sizeof glyphs + sizeof(float)];
    float ascent = 25.5f;
    memcpy(tail, glyphs, sizeof glyphs);
    memcpy(tail + sizeof glyphs, &ascent, sizeof ascent);
    write_seed("font_cache", "glyphs_and_ascent", tail, sizeof tail);
}

static void png_seeds() {
    unsigned char pixels[16 * 12 * 4];
    for (size_t i = 0; i < sizeof pixels; i++) pixels[i] = (unsigned char)(i * 37);
    const struct {
        const char* name;
        int w, h, comp;
    } images[] = {{"rgba.png", 16, 12, 4}, {"rgb.png", 5, 3, 3}, {"grey_alpha.png", 2, 7, 2},
                  {"grey.png", 1, 1, 1}};
    for (const auto& image : images) {
        std::string path = seed_path("png", image.name);
        if (!stbi_write_png(path.c_str(), image.w, image.h, image.comp, pixels, image.w * image.comp)) {
            fprintf(stderr, "make_seeds: cannot write %s\n", path.c_str());
            exit(1);
        }
    }
}

static void sound_seed(const char* harness, const char* name, int format, int channels,
                       int frames) {
    SF_INFO info = {};
    info.samplerate = 24000;
    info.channels = channels;
    info.format = format;
    std::string path = seed_path(harness, name);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        fprintf(stderr, "make_seeds: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        exit(1);
    }
    if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG) {
        double quality = 0.1;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    float* samples = (float*)malloc(sizeof(float) * (size_t)frames * channels);
    for (int i = 0; i < frames * channels; i++)
        samples[i] = 0.5f * (float)sin(i * 0.07) * (float)(frames - i / channels) / (float)frames;
    sf_writef_float(file, samples, frames);
    free(samples);
    sf_close(file);
}

static void sound_seeds() {
    sound_seed("sound_wav", "pcm16_mono.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 240);
    sound_seed("sound_wav", "float_stereo.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 100);
    sound_seed("sound_wav", "pcm24_mono.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 64);
    sound_seed("sound_wav", "adpcm_mono.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 1, 600);
    sound_seed("sound_ogg", "mono.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1, 2400);
    sound_seed("sound_ogg", "stereo.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, 1200);
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make_seeds OUT_DIR CONFIG_TXT\n");
        return 2;
    }
    out_dir = argv[1];
    mkdir(out_dir.c_str(), 0755);
    config_seeds(argv[2]);
    count_seeds();
    window_place_seeds();
    seed_offset_seeds();
    progress_seeds();
    font_cache_seeds();
    png_seeds();
    sound_seeds();
    return 0;
}
