// font.cpp - fonts: the pool, baking the characters 32..126 into one
// coverage atlas with stb_truetype, and the atlas cache on disk.
//
// A cache file "tmp/font.<name>.<size>" holds exactly the atlas, the 95
// Glyph records and the ascent. It is trusted only when its length matches
// that layout and its source record "tmp/fontsource.<name>.<size>" names the
// font file behind it (path, length, modification time) and the scaled size
// it was baked at; anything else is rebaked from the font file and rewritten.
// A font file that is missing or not a font gives an empty atlas: its text
// draws nothing, and stderr says why.
#include "render/font.h"

#include <glad/gl.h>
#include <stb/stb_truetype.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/window_metrics.h"
#include "render/shader.h"
#include "render/texture.h"

Font* font_list;
uint16_t font_count;

static Font font_pool[MAX_FONTS];

int font_atlas_side(uint16_t scaled_size) {
    return scaled_size <= 64 ? 512 : 1024;
}

size_t font_cache_size(int atlas_side) {
    return (size_t)atlas_side * atlas_side + FONT_GLYPH_COUNT * sizeof(Glyph) + sizeof(float);
}

// At full view size the names stay what they always were; a shrunken view
// names the size actually rasterised.
static void font_file_name(char* out, size_t capacity, const char* kind, const char* name,
                           int size, int scale, int scaled_size) {
    char suffix[16] = "";
    if (scaled_size > 0 && scaled_size != size * scale)
        snprintf(suffix, sizeof suffix, ".%dpx", scaled_size);
    else if (scale == 2)
        snprintf(suffix, sizeof suffix, ".x2");
    char file[256];
    snprintf(file, sizeof file, "tmp/%s.%s.%d%s", kind, name, size, suffix);
    if (!writable_path(out, capacity, file) && capacity) out[0] = '\0';
}

void font_cache_path(char* out, size_t capacity, const char* name, int size, int scale,
                     int scaled_size) {
    font_file_name(out, capacity, "font", name, size, scale, scaled_size);
}

void font_source_path(char* out, size_t capacity, const char* name, int size, int scale,
                      int scaled_size) {
    font_file_name(out, capacity, "fontsource", name, size, scale, scaled_size);
}

uint16_t font_scaled_size(uint8_t size, uint8_t scale, float drawn_scale) {
    float raster = font_raster_scale(drawn_scale);
    // Full size, or a scale no smaller view can give: exactly as before.
    if (raster >= scale) return (uint16_t)(size * scale);
    long scaled = lroundf(size * raster);
    return (uint16_t)(scaled < 1 ? 1 : scaled);
}

// What a cache was baked from. A font file that cannot be examined keeps
// length -1: its cache is then the only copy of it left and is kept.
struct FontSource {
    char font_path[256];
    int scaled_size;
    long long length;
    long long mtime;
};

static FontSource describe_font_file(const char* font_path, int scaled_size) {
    FontSource source = {};
    snprintf(source.font_path, sizeof(source.font_path), "%s", font_path);
    source.scaled_size = scaled_size;
    source.length = platform_file_size(font_path);
    source.mtime = source.length < 0 ? 0 : platform_file_mtime(font_path);
    return source;
}

// The record is two lines: the font file's path, then scaled size, length
// and modification time.
static bool cache_made_from(const char* record_path, const FontSource& now) {
    FILE* file = fopen(record_path, "rb");
    if (!file) return false;
    char text[512];
    size_t length = fread(text, 1, sizeof(text) - 1, file);
    fclose(file);
    text[length] = '\0';
    char* newline = (char*)memchr(text, '\n', length);
    if (!newline) return false;
    *newline = '\0';
    FontSource was = {};
    if (sscanf(newline + 1, "%d %lld %lld", &was.scaled_size, &was.length, &was.mtime) != 3)
        return false;
    if (strcmp(text, now.font_path) != 0 || was.scaled_size != now.scaled_size) return false;
    return now.length < 0 || (was.length == now.length && was.mtime == now.mtime);
}

static void write_font_source(const char* record_path, const FontSource& source) {
    FILE* file = fopen(record_path, "wb");
    if (!file) return;
    int written = fprintf(file, "%s\n%d %lld %lld\n", source.font_path, source.scaled_size,
                          source.length, source.mtime);
    // Without a whole record the cache is rebaked next time, never misread.
    if (fclose(file) != 0 || written < 0) remove(record_path);
}

static uint32_t read_u32_be(const unsigned char* p) {
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

// stb_truetype trusts its input; this checks that the table directory and
// every table it lists lie inside the file before stb reads them.
static bool font_tables_fit(const unsigned char* data, size_t length, int offset) {
    if (offset < 0 || (size_t)offset + 12 > length) return false;
    size_t table_count = (size_t)data[offset + 4] << 8 | data[offset + 5];
    size_t directory_end = (size_t)offset + 12 + 16 * table_count;
    if (table_count == 0 || directory_end > length) return false;
    for (size_t i = 0; i < table_count; i++) {
        const unsigned char* entry = data + offset + 12 + 16 * i;
        uint64_t start = read_u32_be(entry + 8), size = read_u32_be(entry + 12);
        if (start + size > length) return false;
    }
    return true;
}

// Returns the font's offset in the file, or -1 when it is not a usable
// TrueType or OpenType font.
static int usable_font_offset(const unsigned char* data, size_t length, stbtt_fontinfo* info) {
    if (length < 16 || length > 0x7fffffff) return -1;
    if (memcmp(data, "ttcf", 4) == 0) {
        // A collection: check that the first font's offset is inside.
        if (read_u32_be(data + 8) == 0 || length < 16) return -1;
        if (read_u32_be(data + 12) + (uint64_t)12 > length) return -1;
    }
    int offset = stbtt_GetFontOffsetForIndex(data, 0);
    if (!font_tables_fit(data, length, offset)) return -1;
    if (!stbtt_InitFont(info, data, offset)) return -1;
    return offset;
}

static void fill_glyphs(Glyph* glyphs, const stbtt_bakedchar* baked, int side) {
    float a = (float)side;
    for (int i = 0; i < FONT_GLYPH_COUNT; i++) {
        const stbtt_bakedchar& b = baked[i];
        Glyph* g = &glyphs[i];
        memset(g, 0, sizeof(*g));
        g->code = (uint8_t)(32 + i);
        float w = (uint8_t)(b.x1 - b.x0), h = (uint8_t)(b.y1 - b.y0);
        const float xy[8] = {0, 0, w, 0, 0, h, w, h};
        const float uv[8] = {b.x0 / a, b.y0 / a, b.x1 / a, b.y0 / a,
                             b.x0 / a, b.y1 / a, b.x1 / a, b.y1 / a};
        memcpy(g->corner_xy, xy, sizeof(xy));
        memcpy(g->corner_uv, uv, sizeof(uv));
        g->x_offset = b.xoff;
        g->y_offset = b.yoff;
        g->advance = b.xadvance;
    }
}

// Empty glyphs: text in a font that failed to load takes no room.
static void fill_empty_glyphs(Glyph* glyphs) {
    memset(glyphs, 0, FONT_GLYPH_COUNT * sizeof(Glyph));
    for (int i = 0; i < FONT_GLYPH_COUNT; i++) glyphs[i].code = (uint8_t)(32 + i);
}

bool parse_font_cache(const unsigned char* data, size_t length, int side, unsigned char* atlas,
                      Glyph* glyphs, float* ascent) {
    if (!data || length != font_cache_size(side)) return false;
    size_t atlas_bytes = (size_t)side * side;
    memcpy(atlas, data, atlas_bytes);
    memcpy(glyphs, data + atlas_bytes, FONT_GLYPH_COUNT * sizeof(Glyph));
    memcpy(ascent, data + atlas_bytes + FONT_GLYPH_COUNT * sizeof(Glyph), sizeof(float));
    return true;
}

static bool read_font_cache(Font* font, const char* cache_path, unsigned char* atlas, int side) {
    size_t length = 0;
    unsigned char* data = (unsigned char*)read_entire_file(cache_path, &length);
    if (!data) return false;
    bool ok = parse_font_cache(data, length, side, atlas, font->glyphs, &font->ascent);
    if (!ok)
        fprintf(stderr, "render: font cache %s has %zu bytes, expected %zu; rebaking\n", cache_path,
                length, font_cache_size(side));
    free(data);
    return ok;
}

// False when no whole cache was written.
static bool write_font_cache(const Font* font, const char* cache_path, const unsigned char* atlas,
                             int side) {
    char dir[1024];
    if (!writable_path(dir, sizeof dir, "tmp") || !platform_make_dir(dir)) {
        fprintf(stderr, "render: cannot create tmp/ for the font cache\n");
        return false;
    }
    FILE* file = fopen(cache_path, "wb");
    if (!file) {
        fprintf(stderr, "render: cannot write font cache %s\n", cache_path);
        return false;
    }
    bool ok = fwrite(atlas, 1, (size_t)side * side, file) == (size_t)side * side;
    ok = ok && fwrite(font->glyphs, sizeof(Glyph), FONT_GLYPH_COUNT, file) == FONT_GLYPH_COUNT;
    ok = ok && fwrite(&font->ascent, sizeof(float), 1, file) == 1;
    if (fclose(file) != 0) ok = false;
    if (!ok) {
        // A short cache would be rejected anyway; do not leave it behind.
        fprintf(stderr, "render: writing font cache %s failed\n", cache_path);
        remove(cache_path);
    }
    return ok;
}

// Rasterises the font file into atlas and glyphs; false when it cannot.
static bool rasterise_font(Font* font, const char* font_path, unsigned char* atlas, int side) {
    size_t length = 0;
    unsigned char* data = (unsigned char*)read_entire_file(font_path, &length);
    if (!data) {
        fprintf(stderr, "render: cannot read font file %s\n", font_path);
        return false;
    }
    stbtt_fontinfo info;
    int offset = usable_font_offset(data, length, &info);
    if (offset < 0) {
        fprintf(stderr, "render: %s is not a TrueType font\n", font_path);
        free(data);
        return false;
    }
    stbtt_bakedchar baked[FONT_GLYPH_COUNT];
    memset(baked, 0, sizeof(baked));
    int fitted = stbtt_BakeFontBitmap(data, offset, (float)font->scaled_size, atlas, side, side, 32,
                                      FONT_GLYPH_COUNT, baked);
    if (fitted < 0)
        fprintf(stderr, "render: font %s at %d px fits only %d characters in its atlas\n",
                font->name, font->scaled_size, -fitted);
    int ascent = 0, descent = 0, line_gap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &line_gap);
    font->ascent =
        ascent != descent ? (float)ascent * font->size / (float)(ascent - descent) : 0.0f;
    free(data);
    fill_glyphs(font->glyphs, baked, side);
    return true;
}

unsigned char* bake_font_atlas(Font* font, const char* font_path, uint8_t size, int* atlas_side) {
    font->size = size;
    font->glyph_count = FONT_GLYPH_COUNT;
    font->scaled_size = font_scaled_size(size, pixel_scale, drawn_pixel_scale());
    font->ascent = 0.0f;
    if (!font->glyphs) font->glyphs = (Glyph*)calloc(FONT_GLYPH_COUNT, sizeof(Glyph));
    int side = font_atlas_side(font->scaled_size);
    *atlas_side = side;
    unsigned char* atlas = (unsigned char*)calloc((size_t)side * side, 1);
    if (!atlas || !font->glyphs) {
        fprintf(stderr, "render: out of memory for font %s\n", font->name);
        free(atlas);
        return nullptr;
    }
    char cache_path[1024], record_path[1024];
    font_cache_path(cache_path, sizeof(cache_path), font->name, size, pixel_scale,
                    font->scaled_size);
    font_source_path(record_path, sizeof(record_path), font->name, size, pixel_scale,
                     font->scaled_size);
    FontSource source = describe_font_file(font_path, font->scaled_size);
    if (cache_made_from(record_path, source) && read_font_cache(font, cache_path, atlas, side))
        return atlas;
    if (rasterise_font(font, font_path, atlas, side)) {
        // The old record goes first: a cache half replaced must not pass.
        remove(record_path);
        if (write_font_cache(font, cache_path, atlas, side)) write_font_source(record_path, source);
    } else {
        // Never cached: a fixed font file must be picked up next time.
        memset(atlas, 0, (size_t)side * side);
        fill_empty_glyphs(font->glyphs);
    }
    return atlas;
}

// Texel for pixel at full view size; a shrunken view draws the atlas a
// little smaller than rasterised, which sampling between texels keeps even.
static GLuint create_atlas_texture(const unsigned char* atlas, int side, bool smooth) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    // White with the coverage in alpha, spelled out per texel: converting a
    // one-channel upload or swizzling is desktop GL only, and WebGL 2 has
    // neither.
    size_t texels = (size_t)side * side;
    unsigned char* rgba = (unsigned char*)malloc(texels * 4);
    if (!rgba) return id;
    memset(rgba, 255, texels * 4);
    for (size_t i = 0; i < texels; i++) rgba[i * 4 + 3] = atlas[i];
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    free(rgba);
    return id;
}

void bake_font(Font* font, Texture* texture, const char* path, uint8_t size) {
    int side = 0;
    unsigned char* atlas = bake_font_atlas(font, path, size, &side);
    font->texture = texture;
    if (!texture) {
        free(atlas);
        return;
    }
    texture->width = texture->height = (uint16_t)side;
    if (atlas && render_gl_ready()) {
        if (texture->gpu_id) glDeleteTextures(1, &texture->gpu_id);
        texture->gpu_id =
            create_atlas_texture(atlas, side, font->scaled_size != size * pixel_scale);
    }
    free(atlas);
}

static void release_font_record(Font* font) {
    Font** link = &font_list;
    while (*link && *link != font) link = &(*link)->next;
    if (*link) {
        *link = font->next;
        font_count--;
    }
    free(font->glyphs);
    memset(font, 0, sizeof(*font));
}

Font* load_font(const char* name, const char* font_file, uint8_t size) {
    if (!name || !font_file) return nullptr;
    Font* font = nullptr;
    for (int i = 0; i < MAX_FONTS && !font; i++)
        if (!font_pool[i].in_use) font = &font_pool[i];
    if (!font) {
        fprintf(stderr, "render: all %d fonts in use, %s not loaded\n", MAX_FONTS, name);
        return nullptr;
    }
    memset(font, 0, sizeof(*font));
    font->in_use = true;
    font->next = font_list;
    font_list = font;
    font_count++;
    snprintf(font->name, sizeof(font->name), "%s", name);

    Texture* texture = claim_texture(font->name);
    if (!texture) {
        release_font_record(font);
        return nullptr;
    }
    texture->not_a_file = true;
    char path[256];
    snprintf(path, sizeof(path), "fonts/%s", font_file);
    snprintf(texture->path, sizeof(texture->path), "fonts/%s", font_file);
    bake_font(font, texture, path, size);
    return font;
}

Font* find_font(const char* name) {
    if (!name) return nullptr;
    for (Font* font = font_list; font; font = font->next)
        if (strcmp(font->name, name) == 0) return font;
    return nullptr;
}

void remove_font(const char* name) {
    Font* font = find_font(name);
    if (!font) return;
    delete_texture(font->texture);
    release_font_record(font);
}

Font* replace_font(const char* name, const char* font_file, uint8_t size) {
    remove_font(name);
    return load_font(name, font_file, size);
}

void clear_fonts() {
    for (int i = 0; i < MAX_FONTS; i++) free(font_pool[i].glyphs);
    memset(font_pool, 0, sizeof(font_pool));
    font_list = nullptr;
    font_count = 0;
}
