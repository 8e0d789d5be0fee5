// Data-contract tests for the fonts and licences in the run directory: both
// font files bake with the game's rasteriser and draw the loading text and
// the menu button's "=", they are unmodified copies of their sources, and
// every shipped asset's origin and licence is in licenses/.
#include "asset_files.h"

#include <stb/stb_truetype.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct FontCase {
    const char *file;
    float size;
    const char *debian_source;
};

const FontCase FONTS[] = {
    {"PoetsenOne-Regular.ttf", 32, "/usr/share/fonts/opentype/cherrybomb/CherryBomb-Regular.otf"},
    {"arialbd.ttf", 48, "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"},
};

std::string read_text(const std::string &path) {
    std::vector<unsigned char> bytes = read_bytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(AssetFonts, BothFontsBakeAndDrawLoadingAndEquals) {
    SKIP_WITHOUT_ASSETS();
    for (const FontCase &fc : FONTS) {
        SCOPED_TRACE(fc.file);
        std::vector<unsigned char> data = read_bytes(run_path(std::string("fonts/") + fc.file));
        ASSERT_FALSE(data.empty());
        int offset = stbtt_GetFontOffsetForIndex(data.data(), 0);
        ASSERT_GE(offset, 0);
        stbtt_fontinfo info;
        ASSERT_TRUE(stbtt_InitFont(&info, data.data(), offset));
        int ascent = 0, descent = 0, gap = 0;
        stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
        EXPECT_GT(ascent, 0);

        const int side = 512;
        std::vector<unsigned char> atlas(side * side);
        stbtt_bakedchar baked[95];
        int rows = stbtt_BakeFontBitmap(data.data(), offset, fc.size, atlas.data(), side, side, 32, 95, baked);
        ASSERT_GT(rows, 0) << "the printable characters do not fit a 512 atlas";

        for (const char *c = "=LOADING"; *c; c++) {
            const stbtt_bakedchar &b = baked[*c - 32];
            EXPECT_GT(b.xadvance, 0.0f) << *c;
            ASSERT_GT(b.x1, b.x0) << *c;
            ASSERT_GT(b.y1, b.y0) << *c;
            int inked = 0;
            for (int y = b.y0; y < b.y1; y++)
                for (int x = b.x0; x < b.x1; x++) inked += atlas[y * side + x] >= 128;
            int area = (b.x1 - b.x0) * (b.y1 - b.y0);
            EXPECT_GT(inked, area / 8) << "'" << *c << "' leaves almost no ink";
        }
    }
}

TEST(AssetFonts, FontsAreUnmodifiedCopiesOfTheirSources) {
    SKIP_WITHOUT_ASSETS();
    for (const FontCase &fc : FONTS) {
        if (!path_exists(fc.debian_source)) continue;   // the source system may differ
        EXPECT_TRUE(read_bytes(run_path(std::string("fonts/") + fc.file)) == read_bytes(fc.debian_source))
            << fc.file << " differs from " << fc.debian_source << "; the licence forbids changing it";
    }
}

TEST(AssetLicences, EveryShippedAssetIsCredited) {
    SKIP_WITHOUT_ASSETS();
    std::string readme = read_text(run_path("licenses/README"));
    for (const char *mention : {"images/tiles", "rounded_rect.png", "fonts/PoetsenOne-Regular.ttf", "fonts/arialbd.ttf",
                                "sounds/", "Apache", "Open Font License"})
        EXPECT_NE(readme.find(mention), std::string::npos) << "README does not mention " << mention;
    std::string ofl = read_text(run_path("licenses/OFL.txt"));
    EXPECT_NE(ofl.find("SIL OPEN FONT LICENSE Version 1.1"), std::string::npos);
    EXPECT_NE(ofl.find("DISCLAIMER"), std::string::npos) << "the OFL text is cut short";
    EXPECT_NE(read_text(run_path("licenses/Apache-2.0.txt")).find("Apache License"), std::string::npos);
    for (const char *file : {"NotoColorEmoji-copyright.txt", "CherryBomb-copyright.txt", "LiberationSans-copyright.txt"})
        EXPECT_NE(read_text(run_path(std::string("licenses/") + file)).find("Copyright"), std::string::npos) << file;
}
