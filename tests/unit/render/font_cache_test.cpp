// Fonts without a window: baking, the atlas cache file and its reuse, and
// what a missing or broken font or cache gives.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/texture.h"
#include "support/gl_context.h"

namespace fs = std::filesystem;

namespace {

const char* const SANS = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
const char* const CFF = "/usr/share/fonts/opentype/cherrybomb/CherryBomb-Regular.otf";

std::vector<char> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
}

std::vector<Glyph> glyph_copy(const Font* font) {
    return std::vector<Glyph>(font->glyphs, font->glyphs + FONT_GLYPH_COUNT);
}

bool same_glyphs(const std::vector<Glyph>& a, const Font* font) {
    return memcmp(a.data(), font->glyphs, FONT_GLYPH_COUNT * sizeof(Glyph)) == 0;
}

const Glyph& glyph_of(const Font* font, char c) {
    return font->glyphs[c - 32];
}

class FontCache : public ::testing::Test {
   protected:
    TempWorkDir dir;
    void SetUp() override {
        ASSERT_TRUE(enter_temp_work_dir(&dir, "font"));
        ASSERT_TRUE(copy_file_to(SANS, "fonts/sans.ttf"));
    }
    void TearDown() override {
        clear_labels();
        clear_fonts();
        clear_textures();
        leave_temp_work_dir(&dir);
    }
};

TEST_F(FontCache, FirstLoadWritesAtlasGlyphTableAndAscent) {
    ASSERT_FALSE(fs::exists("tmp"));
    Font* font = load_font("loading_font", "sans.ttf", 32);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->size, 32);
    EXPECT_EQ(font->scaled_size, 32);
    EXPECT_EQ(font->glyph_count, FONT_GLYPH_COUNT);
    ASSERT_NE(font->texture, nullptr);
    EXPECT_TRUE(font->texture->not_a_file);
    EXPECT_STREQ(font->texture->name, "loading_font");
    EXPECT_EQ(font->texture->width, 512);

    std::vector<char> cache = file_bytes("tmp/font.loading_font.32");
    ASSERT_EQ(cache.size(), 269748u);
    const size_t atlas = 512 * 512;
    bool any_coverage = false;
    for (size_t i = 0; i < atlas; i++) any_coverage |= cache[i] != 0;
    EXPECT_TRUE(any_coverage);
    EXPECT_EQ(memcmp(cache.data() + atlas, font->glyphs, 95 * 80), 0);
    float ascent;
    memcpy(&ascent, cache.data() + atlas + 7600, 4);
    EXPECT_EQ(ascent, font->ascent);
    // The line (ascent plus descent) is the font size: the ascent is most of it.
    EXPECT_GT(font->ascent, 16.0f);
    EXPECT_LT(font->ascent, 32.0f);

    for (int i = 0; i < FONT_GLYPH_COUNT; i++) EXPECT_EQ(font->glyphs[i].code, 32 + i);
    const Glyph& a = glyph_of(font, 'A');
    EXPECT_GT(a.advance, 10.0f);
    EXPECT_LT(a.y_offset, -10.0f);  // drawn above the baseline
    // Corners and texture coordinates describe the same box in the atlas.
    EXPECT_FLOAT_EQ(a.corner_xy[2], (a.corner_uv[2] - a.corner_uv[0]) * 512);
    EXPECT_FLOAT_EQ(a.corner_xy[5], (a.corner_uv[5] - a.corner_uv[1]) * 512);
    EXPECT_FLOAT_EQ(a.corner_xy[6], a.corner_xy[2]);
    EXPECT_FLOAT_EQ(a.corner_xy[7], a.corner_xy[5]);
}

TEST_F(FontCache, SecondLoadReadsTheCacheWithoutTheFontFile) {
    Font* first = load_font("loading_font", "sans.ttf", 32);
    ASSERT_NE(first, nullptr);
    std::vector<Glyph> glyphs = glyph_copy(first);
    float ascent = first->ascent;
    remove_font("loading_font");
    EXPECT_EQ(find_font("loading_font"), nullptr);

    fs::remove("fonts/sans.ttf");
    Font* second = load_font("loading_font", "sans.ttf", 32);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(same_glyphs(glyphs, second));
    EXPECT_EQ(second->ascent, ascent);
}

TEST_F(FontCache, CacheIsRebakedWhenItsFontFileIsAnotherOrChanged) {
    ASSERT_TRUE(copy_file_to(CFF, "fonts/cff.otf"));
    std::vector<Glyph> sans = glyph_copy(load_font("title_font", "sans.ttf", 40));
    remove_font("title_font");
    // Another file name in the config, at the next start or live.
    std::vector<Glyph> cff = glyph_copy(load_font("title_font", "cff.otf", 40));
    EXPECT_FALSE(same_glyphs(sans, find_font("title_font")));
    EXPECT_GT(cff['A' - 32].advance, 0.0f);  // the CFF font bakes too
    EXPECT_TRUE(same_glyphs(sans, replace_font("title_font", "sans.ttf", 40)));
    // The same name with other contents.
    ASSERT_TRUE(copy_file_to(CFF, "fonts/sans.ttf"));
    EXPECT_TRUE(same_glyphs(cff, replace_font("title_font", "sans.ttf", 40)));
    EXPECT_EQ(font_count, 1);
}

TEST_F(FontCache, ShortCacheIsRebakedAndRewritten) {
    std::vector<Glyph> glyphs = glyph_copy(load_font("score_font", "sans.ttf", 24));
    remove_font("score_font");
    std::vector<char> cache = file_bytes("tmp/font.score_font.24");
    cache.resize(1000);
    write_bytes("tmp/font.score_font.24", cache);

    Font* font = load_font("score_font", "sans.ttf", 24);
    EXPECT_TRUE(same_glyphs(glyphs, font));
    EXPECT_EQ(fs::file_size("tmp/font.score_font.24"), 269748u);
}

TEST_F(FontCache, UnwritableCacheStillLoadsTheFont) {
    write_bytes("tmp", {'x'});  // a file where the cache directory should be
    Font* font = load_font("menu_font", "sans.ttf", 20);
    ASSERT_NE(font, nullptr);
    EXPECT_GT(glyph_of(font, 'M').advance, 0.0f);
    EXPECT_TRUE(fs::is_regular_file("tmp"));
}

TEST_F(FontCache, AtlasSideAndCacheNameFollowNameAndSize) {
    EXPECT_EQ(load_font("big", "sans.ttf", 64)->texture->width, 512);
    EXPECT_EQ(load_font("big", "sans.ttf", 65)->texture->width, 1024);
    EXPECT_EQ(fs::file_size("tmp/font.big.64"), 269748u);
    EXPECT_EQ(fs::file_size("tmp/font.big.65"), 1056180u);
    // Newest of a name wins.
    EXPECT_EQ(find_font("big")->size, 65);

    load_font("other", "sans.ttf", 64);
    EXPECT_EQ(file_bytes("tmp/font.other.64"), file_bytes("tmp/font.big.64"));
}

TEST_F(FontCache, ScaleTwoRastersAtDoubleSizeIntoACacheOfItsOwn) {
    const Font* one = load_font("text", "sans.ttf", 40);
    std::vector<char> scale_one = file_bytes("tmp/font.text.40");
    float advance_one = glyph_of(one, 'M').advance;
    pixel_scale = 2;
    const Font* two = load_font("text", "sans.ttf", 40);
    pixel_scale = 1;
    EXPECT_EQ(two->scaled_size, 80);
    EXPECT_EQ(two->texture->width, 1024);
    EXPECT_NEAR(glyph_of(two, 'M').advance, 2 * advance_one, 1.0f);
    EXPECT_FLOAT_EQ(two->ascent, one->ascent);  // logical pixels at both scales
    EXPECT_EQ(fs::file_size("tmp/font.text.40.x2"), 1056180u);
    // The scale-1 cache is neither read nor rewritten by scale 2.
    EXPECT_EQ(file_bytes("tmp/font.text.40"), scale_one);
    // A view shrunk to 0.8 rasterises for the drawn size, in a cache of its own.
    EXPECT_EQ(font_scaled_size(40, 1, 0.8f), 32);
    EXPECT_EQ(font_scaled_size(40, 2, 1.58f), 64);  // rounded up to 1.6
    EXPECT_EQ(font_scaled_size(40, 2, 2.0f), 80);
    char path[256];
    font_cache_path(path, sizeof path, "text", 40, 1, 32);
    EXPECT_STREQ(path, "tmp/font.text.40.32px");
    font_cache_path(path, sizeof path, "text", 40, 2, 80);
    EXPECT_STREQ(path, "tmp/font.text.40.x2");
}

TEST_F(FontCache, MissingOrBrokenFontFileGivesAnEmptyFontAndNoCache) {
    std::vector<char> sans = file_bytes("fonts/sans.ttf");
    write_bytes("fonts/garbage.ttf", std::vector<char>(5000, 'g'));
    std::vector<char> truncated(sans.begin(), sans.begin() + 3000);
    write_bytes("fonts/truncated.ttf", truncated);
    // A table directory whose entries point far past the end of the file.
    std::vector<char> lying(sans.begin(), sans.begin() + 12 + 16 * 4);
    lying[4] = 0;
    lying[5] = 4;
    write_bytes("fonts/lying.ttf", lying);

    const char* files[] = {"absent.ttf", "garbage.ttf", "truncated.ttf", "lying.ttf"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        Font* font = load_font(file, file, 30);
        ASSERT_NE(font, nullptr);
        for (int i = 0; i < FONT_GLYPH_COUNT; i++) EXPECT_EQ(font->glyphs[i].advance, 0.0f);
        EXPECT_FALSE(fs::exists(std::string("tmp/font.") + file + ".30"));
        TextLabel label;
        init_label(&label, file);
        set_label_text(&label, "LOADING");
        EXPECT_EQ(label.width, 0);
    }
}

TEST_F(FontCache, ExtremeSizesStillLoad) {
    Font* tiny = load_font("tiny", "sans.ttf", 0);
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(glyph_of(tiny, 'A').advance, 0.0f);
    // Too big for every character to fit its atlas: the font still loads
    // with the characters that fitted, and says so.
    testing::internal::CaptureStderr();
    Font* huge = load_font("huge", "sans.ttf", 255);
    std::string log = testing::internal::GetCapturedStderr();
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(huge->texture->width, 1024);
    EXPECT_GT(glyph_of(huge, ' ').advance, 0.0f);
    EXPECT_NE(log.find("fits only"), std::string::npos);
}

TEST_F(FontCache, PoolOfFiftyFontsRefusesTheNext) {
    char name[32];
    for (int i = 0; i < MAX_FONTS; i++) {
        snprintf(name, sizeof(name), "font_%d", i);
        ASSERT_NE(load_font(name, "absent.ttf", 10), nullptr);
    }
    EXPECT_EQ(load_font("one_too_many", "absent.ttf", 10), nullptr);
    EXPECT_EQ(font_count, MAX_FONTS);
    EXPECT_EQ(texture_count, MAX_FONTS);  // no atlas record left behind
    remove_font("font_7");
    EXPECT_EQ(texture_count, MAX_FONTS - 1);
    EXPECT_NE(load_font("one_too_many", "absent.ttf", 10), nullptr);
}

TEST_F(FontCache, FontLoadFailsCleanlyWhenTexturesRunOut) {
    for (int i = 0; i < MAX_TEXTURES; i++) ASSERT_NE(claim_texture("filler"), nullptr);
    EXPECT_EQ(load_font("late_font", "sans.ttf", 20), nullptr);
    EXPECT_EQ(font_count, 0);
    EXPECT_EQ(find_font("late_font"), nullptr);
}

}  // namespace
