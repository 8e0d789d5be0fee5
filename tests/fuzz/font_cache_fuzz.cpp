// font_cache_fuzz.cpp - a font cache file ("tmp/font.<name>.<size>") through
// the cache reader, then text laid out with whatever glyphs it gave.
//
// The reader trusts any file of the right length, so the interesting part
// is what arbitrary glyph floats and ascent do to label layout. The input is
// tried twice: as a whole cache file (lengths and all), and as the glyph
// table and ascent at the end of an otherwise empty 512 x 512 cache.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "render/font.h"

static const int SIDE = 512;

static void lay_out_samples(const Font* font) {
    static float vertices[LABEL_TEXT_SIZE * 6 * 5];
    static const char* const texts[] = {
        "Level 12", "0:59", "", "\t\x7f\x80\xff?",
        (" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
         "abcdefghijklmnopqrstuvwxyz{|}~"),
    };
    for (const char* text : texts) {
        uint16_t width = 0;
        uint16_t count = layout_label_vertices(font, text, vertices, &width);
        if (count != 6 * strlen(text)) abort();
    }
}

static void try_cache(const uint8_t* data, size_t size, unsigned char* atlas) {
    static Glyph glyphs[FONT_GLYPH_COUNT];
    Font font = {};
    font.size = 32;
    font.scaled_size = 32;
    font.glyph_count = FONT_GLYPH_COUNT;
    font.glyphs = glyphs;
    if (!parse_font_cache(data, size, SIDE, atlas, glyphs, &font.ascent)) return;
    lay_out_samples(&font);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned char* atlas = (unsigned char*)malloc((size_t)SIDE * SIDE);
    static unsigned char* file = (unsigned char*)calloc(font_cache_size(SIDE), 1);
    try_cache(data, size, atlas);

    size_t tail = font_cache_size(SIDE) - (size_t)SIDE * SIDE;
    size_t take = size < tail ? size : tail;
    unsigned char* glyph_part = file + (size_t)SIDE * SIDE;
    memset(glyph_part, 0, tail);
    memcpy(glyph_part + (tail - take), data + (size - take), take);
    try_cache(file, font_cache_size(SIDE), atlas);
    return 0;
}
