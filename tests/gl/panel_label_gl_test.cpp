// Nine-slice panels and text labels, drawn for real and read back.
#include <stb/stb_image_write.h>

#include <climits>
#include <filesystem>
#include <vector>

#include "app/shell.h"
#include "render_fixture.h"

namespace {

const char* const SANS = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
const char* const CFF = "/usr/share/fonts/opentype/cherrybomb/CherryBomb-Regular.otf";

// A 64 x 64 image whose rows are red above 16, green from 16 to 47 and
// blue below, so each band of a panel shows its own colour.
void write_band_image() {
    std::filesystem::create_directories("images");
    std::vector<unsigned char> pixels(64 * 64 * 4);
    for (int y = 0; y < 64; y++) {
        for (int x = 0; x < 64; x++) {
            unsigned char* p = &pixels[(y * 64 + x) * 4];
            p[0] = y < 16 ? 255 : 0;
            p[1] = y >= 16 && y < 48 ? 255 : 0;
            p[2] = y >= 48 ? 255 : 0;
            p[3] = 255;
        }
    }
    ASSERT_TRUE(stbi_write_png("images/rounded_rect.png", 64, 64, 4, pixels.data(), 64 * 4));
}

// White, opaque inside a circle of radius 16 at each corner, clear outside.
void write_rounded_rect_image() {
    std::filesystem::create_directories("images");
    std::vector<unsigned char> pixels(64 * 64 * 4, 255);
    for (int y = 0; y < 64; y++) {
        for (int x = 0; x < 64; x++) {
            float cx = x < 16 ? 16 : x >= 48 ? 48 : x + 0.5f;
            float cy = y < 16 ? 16 : y >= 48 ? 48 : y + 0.5f;
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            if (dx * dx + dy * dy > 16 * 16) pixels[(y * 64 + x) * 4 + 3] = 0;
        }
    }
    ASSERT_TRUE(stbi_write_png("images/rounded_rect.png", 64, 64, 4, pixels.data(), 64 * 4));
}

char dominant(Rgba p) {
    if (p.r > 200 && p.g < 60 && p.b < 60) return 'r';
    if (p.g > 200 && p.r < 60 && p.b < 60) return 'g';
    if (p.b > 200 && p.r < 60 && p.g < 60) return 'b';
    return '?';
}

TEST_F(RenderGl, PanelBandsKeepSixteenPixelCorners) {
    write_band_image();
    load_image("rounded_rect.png");
    PanelShape shape;
    create_panel_shape(&shape, 100, 40);
    draw_panel_shape(&shape, 100, 70, pack_color(255, 255, 255, 255));
    // The panel spans x 50..149, y 50..89; rows of its middle band are 16..23.
    std::string rows;
    for (int y = 0; y < 40; y++) rows += dominant(read_pixel(100, 50 + y));
    EXPECT_EQ(rows, std::string(16, 'r') + std::string(8, 'g') + std::string(16, 'b'));
    EXPECT_TRUE(near_rgb(read_pixel(49, 70), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(150, 70), 255, 255, 255, 0));
    EXPECT_EQ(dominant(read_pixel(50, 70)), 'g');
    EXPECT_EQ(dominant(read_pixel(149, 70)), 'g');
    EXPECT_FLOAT_EQ(uniform_float("alpha"), 1.0f);

    create_panel_shape(&shape, 100, 20);  // lower than two corners: nothing folds
    draw_panel_shape(&shape, 100, 120, pack_color(255, 255, 255, 255));
    for (int y = 0; y < 24; y++) rows[y] = dominant(read_pixel(100, 108 + y));
    EXPECT_EQ(rows.substr(0, 24), "??" + std::string(10, 'r') + std::string(10, 'b') + "??");
}

TEST_F(RenderGl, PanelTakesColourAndAlphaFromThePackedValue) {
    write_rounded_rect_image();
    load_image("rounded_rect.png");
    PanelShape shape;
    create_panel_shape(&shape, 120, 80);
    draw_panel_shape(&shape, 100, 75, pack_color(0, 0, 255, 128));
    EXPECT_TRUE(near_rgb(read_pixel(100, 75), 127, 127, 255));
    // The rounded corner leaves the very corner pixel clear.
    EXPECT_TRUE(near_rgb(read_pixel(40, 35), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(48, 43), 127, 127, 255, 3));
    EXPECT_FLOAT_EQ(uniform_float("alpha"), 1.0f);
}

TEST_F(RenderGl, RebuildingAShapeReusesItsPlace) {
    write_rounded_rect_image();
    load_image("rounded_rect.png");
    PanelShape shape;
    create_panel_shape(&shape, 100, 40);
    uint32_t first_array = shape.vertex_arrays[0];
    create_panel_shape(&shape, 60, 60);
    EXPECT_EQ(panel_shape_count(), 1);
    EXPECT_FALSE(glIsVertexArray(first_array) && first_array != shape.vertex_arrays[0] &&
                 first_array != shape.vertex_arrays[1] && first_array != shape.vertex_arrays[2]);
    delete_panel_shape(&shape);
    EXPECT_EQ(panel_shape_count(), 0);
}

TEST_F(RenderGl, ShapeListRefusesTheTwoHundredAndFirst) {
    write_rounded_rect_image();
    load_image("rounded_rect.png");
    static PanelShape shapes[MAX_PANEL_SHAPES + 1];
    for (int i = 0; i <= MAX_PANEL_SHAPES; i++) create_panel_shape(&shapes[i], 40, 40);
    EXPECT_EQ(panel_shape_count(), MAX_PANEL_SHAPES);
    EXPECT_FALSE(shapes[MAX_PANEL_SHAPES].built);
    draw_panel_shape(&shapes[MAX_PANEL_SHAPES], 100, 75, pack_color(0, 0, 0, 255));
    EXPECT_TRUE(near_rgb(read_pixel(100, 75), 255, 255, 255, 0));
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    int pixels = 0;
};

Box dark_pixels(int width, int height) {
    std::vector<uint8_t> image = read_framebuffer(width, height);
    Box box;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            if (image[((size_t)y * width + x) * 4] > 128) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
            box.pixels++;
        }
    }
    return box;
}

TEST_F(RenderGl, LoadingLabelIsCentredBothWays) {
    ASSERT_TRUE(copy_file_to(SANS, "fonts/sans.ttf"));
    ASSERT_NE(load_font("loading_font", "sans.ttf", 32), nullptr);
    TextLabel label;
    init_label(&label, "loading_font");
    set_label_text(&label, "LOADING");
    draw_label(&label, 100, 75, 0, 0, 0, 255);
    Box box = dark_pixels(WIDTH, HEIGHT);
    ASSERT_GT(box.pixels, 200);
    // Capitals sit a little under the middle of the line; allow for that.
    EXPECT_NEAR((box.left + box.right + 1) / 2.0, 100.0, 3.0);
    EXPECT_NEAR((box.top + box.bottom + 1) / 2.0, 75.0, 3.0);
    EXPECT_GT(box.bottom - box.top, 18);  // about the capital height of 32 px
    EXPECT_LT(box.bottom - box.top, 28);
    EXPECT_FLOAT_EQ(uniform_float("alpha"), 1.0f);
}

TEST_F(RenderGl, InitGameReleasesTheLoadingScreensFontAndLabel) {
    for (const char* item : {"fonts", "images", "sounds", "level_seed_offsets"})
        ASSERT_TRUE(link_from_run_dir(item));
    ASSERT_TRUE(copy_file_to(GAME_SOURCE_DIR "/data/config.txt", "config.txt"));
    init_game();  // without a loading screen: the game's own labels
    int game_labels = label_count();
    release_game();

    draw_loading_screen();
    ASSERT_NE(find_font("loading_font"), nullptr);
    ASSERT_EQ(label_count(), 1);
    init_game();
    EXPECT_EQ(find_font("loading_font"), nullptr);
    EXPECT_EQ(label_count(), game_labels);
    release_game();
}

TEST_F(RenderGl, CachedFontDrawsTheSameLabel) {
    ASSERT_TRUE(copy_file_to(CFF, "fonts/cff.otf"));
    load_font("title_font", "cff.otf", 40);
    TextLabel label;
    init_label(&label, "title_font");
    set_label_text(&label, "HI");
    draw_label(&label, 60, 75, 255, 0, 0, 255);
    std::vector<uint8_t> image = read_framebuffer(WIDTH, HEIGHT);
    int red = 0;
    for (size_t i = 0; i < image.size(); i += 4)
        if (image[i] > 200 && image[i + 1] < 50 && image[i + 2] < 50) red++;
    EXPECT_GT(red, 100);  // a CFF outline font bakes and draws
    // A second start: the cache, not the font file, feeds an identical label.
    clear_white();
    std::filesystem::remove("fonts/cff.otf");
    replace_font("title_font", "cff.otf", 40);
    set_label_font(&label, "title_font");
    set_label_text(&label, label.text);
    draw_label(&label, 60, 75, 255, 0, 0, 255);
    std::vector<uint8_t> again = read_framebuffer(WIDTH, HEIGHT);
    EXPECT_EQ(again, image);
}

TEST_F(RenderGl, EmptyOrFontlessLabelsDrawNothing) {
    ASSERT_TRUE(copy_file_to(SANS, "fonts/sans.ttf"));
    load_font("f", "sans.ttf", 24);
    load_font("missing", "absent.ttf", 24);
    TextLabel empty, fontless, unknown;
    init_label(&empty, "f");
    set_label_text(&empty, "");
    init_label(&fontless, "missing");
    set_label_text(&fontless, "TEXT");
    init_label(&unknown, "nobody");
    set_label_text(&unknown, "TEXT");
    draw_label(&empty, 100, 75, 0, 0, 0, 255);
    draw_label(&fontless, 100, 75, 0, 0, 0, 255);
    draw_label(&unknown, 100, 75, 0, 0, 0, 255);
    EXPECT_EQ(dark_pixels(WIDTH, HEIGHT).pixels, 0);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(RenderGl, ReleasedLabelFreesItsBuffers) {
    ASSERT_TRUE(copy_file_to(SANS, "fonts/sans.ttf"));
    load_font("f", "sans.ttf", 24);
    TextLabel label;
    init_label(&label, "f");
    set_label_text(&label, "GONE");
    uint32_t buffer = label.vertex_buffer;
    ASSERT_TRUE(glIsBuffer(buffer));
    release_label(&label);
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_EQ(label_count(), 0);
}

}  // namespace
