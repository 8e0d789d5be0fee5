// font.h - fonts baked into atlases (cached on disk) and text labels.
//
// A Font is one file at one pixel size, registered under a name
// ("timer_label_font"). Its 95 glyphs (32..126) live in one coverage atlas,
// cached as "tmp/font.<name>.<size>" so later starts skip rasterising; the
// small record "tmp/fontsource.<name>.<size>" beside it says which font file
// (path, length, modification time) and scaled size the cache was baked
// from, so a different or changed font file is rebaked. A
// TextLabel holds one laid-out string in its own vertex buffer and is drawn
// centred on a point.
#pragma once

#include <cstddef>
#include <cstdint>

struct Texture;

struct Glyph {
    uint8_t code;
    uint8_t padding[3];
    float corner_xy[8];  // (0,0) (w,0) (0,h) (w,h)
    float corner_uv[8];
    float x_offset, y_offset, advance;
};
static_assert(sizeof(Glyph) == 80, "Glyph is stored as 80 bytes in the font cache");

enum { FONT_GLYPH_COUNT = 95, MAX_FONTS = 50, MAX_LABELS = 1000, LABEL_TEXT_SIZE = 128 };

struct Font {
    char name[128];
    uint8_t size;
    uint16_t scaled_size;
    uint8_t glyph_count;
    Glyph* glyphs;
    Texture* texture;
    float ascent;
    bool in_use;
    Font* next;
};

struct TextLabel {
    char text[LABEL_TEXT_SIZE];
    uint16_t width;
    uint16_t vertex_count;
    uint32_t vertex_array, vertex_buffer;
    uint32_t texture_id;
    Font* font;
};

extern Font* font_list;
extern uint16_t font_count;

Font* load_font(const char* name, const char* font_file, uint8_t size);
Font* find_font(const char* name);
// Deletes the font's atlas texture and frees its record; no-op when absent.
void remove_font(const char* name);
// remove_font + load_font: what every reload callback does per font.
Font* replace_font(const char* name, const char* font_file, uint8_t size);

void init_label(TextLabel* label, const char* font_name);
void set_label_font(TextLabel* label, const char* font_name);  // find_font
void set_label_text(TextLabel* label, const char* text);
// set_label_font + set_label_text: what a reload callback does per label.
void set_label(TextLabel* label, const char* font_name, const char* text);
void draw_label(const TextLabel* label, float x, float y, uint8_t r, uint8_t g, uint8_t b,
                uint8_t alpha);
// Deletes one label's GPU objects and takes it off the label list.
void release_label(TextLabel* label);
void clear_labels();  // shutdown
void clear_fonts();   // shutdown (atlas textures go with clear_textures)

// Reads the cache or rasterises the font file, then uploads the atlas.
void bake_font(Font* font, Texture* texture, const char* path, uint8_t size);
// The CPU half of bake_font: fills size, glyphs and ascent and returns the
// atlas (side x side coverage bytes, free with free()). Writes the cache
// after rasterising. Null only when out of memory.
unsigned char* bake_font_atlas(Font* font, const char* font_path, uint8_t size, int* atlas_side);
int font_atlas_side(uint16_t scaled_size);  // 512 up to 64 px, else 1024
size_t font_cache_size(int atlas_side);     // atlas + glyph table + ascent
// "tmp/font.<name>.<size>"; caches rasterised at pixel scale 2 add ".x2",
// so the two scales never read (and rewrite) each other's atlas, and those
// rasterised for a shrunken view (scaled_size other than size x scale) add
// ".<scaled_size>px".
void font_cache_path(char* out, size_t capacity, const char* name, int size, int scale = 1,
                     int scaled_size = 0);
// The record beside it of the font file it was baked from.
void font_source_path(char* out, size_t capacity, const char* name, int size, int scale = 1,
                      int scaled_size = 0);
// The pixel size a font of size logical pixels is rasterised at: size x
// scale at full view size, else size x the drawn scale rounded up to a
// twentieth (font_raster_scale), so text stays sharp on a small window.
uint16_t font_scaled_size(uint8_t size, uint8_t scale, float drawn_scale);
// Takes the atlas (side x side bytes), the 95 glyphs and the ascent out of a
// cache file held in memory; false, writing nothing, unless its length is
// exactly font_cache_size(side).
bool parse_font_cache(const unsigned char* data, size_t length, int side, unsigned char* atlas,
                      Glyph* glyphs, float* ascent);

// Lays text out in font: 6 vertices (x, y, z, u, v) per character into out
// (room for 127 x 6 x 5 floats), the width into *width; returns the vertex
// count. At most 127 characters are laid out.
uint16_t layout_label_vertices(const Font* font, const char* text, float* out, uint16_t* width);
int label_count();
