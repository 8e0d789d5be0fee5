// Label layout without a window: vertices, width, '?' for characters the
// atlas lacks, truncation, and the label list's capacity.
#include <gtest/gtest.h>

#include <string>

#include "render/font.h"
#include "render/texture.h"
#include "support/gl_context.h"

namespace {

const char* const SANS = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";

class LabelLayout : public ::testing::Test {
   protected:
    TempWorkDir dir;
    Font* font = nullptr;
    void SetUp() override {
        ASSERT_TRUE(enter_temp_work_dir(&dir, "label"));
        ASSERT_TRUE(copy_file_to(SANS, "fonts/sans.ttf"));
        font = load_font("label_font", "sans.ttf", 32);
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override {
        clear_labels();
        clear_fonts();
        clear_textures();
        leave_temp_work_dir(&dir);
    }
    const Glyph& glyph(unsigned char c) { return font->glyphs[c - 32]; }
};

TEST_F(LabelLayout, VerticesFollowTheGlyphCornersAndThePen) {
    TextLabel label;
    init_label(&label, "label_font");
    set_label_text(&label, "AV");
    ASSERT_EQ(label.vertex_count, 12);
    EXPECT_STREQ(label.text, "AV");

    float v[127 * 6 * 5];
    uint16_t width = 0;
    ASSERT_EQ(layout_label_vertices(font, "AV", v, &width), 12);
    const int corners[6] = {0, 1, 2, 1, 2, 3};
    float pen = 0;
    for (int c = 0; c < 2; c++) {
        const Glyph& g = glyph("AV"[c]);
        for (int k = 0; k < 6; k++) {
            const float* p = v + (c * 6 + k) * 5;
            int corner = corners[k];
            EXPECT_FLOAT_EQ(p[0], g.corner_xy[corner * 2] + g.x_offset + pen);
            EXPECT_FLOAT_EQ(p[1], g.corner_xy[corner * 2 + 1] + g.y_offset);
            EXPECT_FLOAT_EQ(p[2], 0);
            EXPECT_FLOAT_EQ(p[3], g.corner_uv[corner * 2]);
            EXPECT_FLOAT_EQ(p[4], g.corner_uv[corner * 2 + 1]);
        }
        pen += g.advance;
    }
    EXPECT_EQ(width, (uint16_t)pen);
    EXPECT_EQ(label.width, width);
}

TEST_F(LabelLayout, WidthIsThePenTruncated) {
    TextLabel label;
    init_label(&label, "label_font");
    set_label_text(&label, "LOADING");
    float pen = 0;
    for (const char* c = "LOADING"; *c; c++) pen += glyph(*c).advance;
    EXPECT_EQ(label.width, (int)pen);
    EXPECT_GT(label.width, 100);
}

TEST_F(LabelLayout, UnknownCharactersShowAsQuestionMarks) {
    float expected[127 * 6 * 5], actual[127 * 6 * 5];
    uint16_t expected_width = 0, width = 0;
    ASSERT_EQ(layout_label_vertices(font, "a?b?c?d?", expected, &expected_width), 48);
    // A tab, bytes above 126 (negative as a plain char) and DEL.
    const char text[] = {'a', '\t', 'b', (char)0xC3, 'c', (char)0xFF, 'd', (char)0x7F, 0};
    ASSERT_EQ(layout_label_vertices(font, text, actual, &width), 48);
    EXPECT_EQ(width, expected_width);
    for (int i = 0; i < 48 * 5; i++) ASSERT_FLOAT_EQ(actual[i], expected[i]) << "float " << i;
}

TEST_F(LabelLayout, EmptyTextGivesAnEmptyLabel) {
    TextLabel label;
    init_label(&label, "label_font");
    set_label_text(&label, "WIDE TEXT");
    set_label_text(&label, "");
    EXPECT_EQ(label.width, 0);
    EXPECT_EQ(label.vertex_count, 0);
    EXPECT_STREQ(label.text, "");
}

TEST_F(LabelLayout, LongTextIsCutTo127Characters) {
    TextLabel label;
    init_label(&label, "label_font");
    std::string text(300, 'W');
    set_label_text(&label, text.c_str());
    EXPECT_EQ(strlen(label.text), 127u);
    EXPECT_EQ(label.vertex_count, 127 * 6);
    EXPECT_EQ(label.width, (uint16_t)(127 * glyph('W').advance));
}

TEST_F(LabelLayout, RelayingOutItsOwnTextKeepsIt) {
    TextLabel label;
    init_label(&label, "label_font");
    set_label_text(&label, "Level 12");
    uint16_t width = label.width;
    set_label_text(&label, label.text);  // what a font reload does
    EXPECT_STREQ(label.text, "Level 12");
    EXPECT_EQ(label.width, width);
}

TEST_F(LabelLayout, LabelWithAnUnknownFontDrawsNothing) {
    TextLabel label;
    init_label(&label, "no_such_font");
    EXPECT_EQ(label.font, nullptr);
    set_label_text(&label, "HELLO");
    EXPECT_STREQ(label.text, "HELLO");
    EXPECT_EQ(label.width, 0);
    EXPECT_EQ(label.vertex_count, 0);
}

TEST_F(LabelLayout, ReplacedFontIsPickedUpByRelayout) {
    TextLabel label;
    init_label(&label, "label_font");
    set_label_text(&label, "SCORE");
    uint16_t small_width = label.width;
    replace_font("label_font", "sans.ttf", 64);
    set_label_font(&label, "label_font");
    set_label_text(&label, label.text);
    EXPECT_GT(label.width, small_width * 3 / 2);
}

TEST_F(LabelLayout, LabelListHoldsAThousand) {
    static TextLabel labels[MAX_LABELS + 1];
    for (int i = 0; i < MAX_LABELS; i++) init_label(&labels[i], "label_font");
    EXPECT_EQ(label_count(), MAX_LABELS);
    init_label(&labels[MAX_LABELS], "label_font");
    EXPECT_EQ(label_count(), MAX_LABELS);
    set_label_text(&labels[MAX_LABELS], "refused");  // still safe to use

    init_label(&labels[3], "label_font");  // again: same place, no new entry
    EXPECT_EQ(label_count(), MAX_LABELS);
    release_label(&labels[3]);
    EXPECT_EQ(label_count(), MAX_LABELS - 1);
    release_label(&labels[3]);  // not listed any more
    EXPECT_EQ(label_count(), MAX_LABELS - 1);
    init_label(&labels[MAX_LABELS], "label_font");
    EXPECT_EQ(label_count(), MAX_LABELS);
}

}  // namespace
