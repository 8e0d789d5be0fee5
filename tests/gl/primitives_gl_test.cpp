// Filled rectangles, outlines, the projection and textured quads, drawn
// for real and read back.
#include <stb/stb_image_write.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "platform/window_metrics.h"
#include "render_fixture.h"

namespace {

TEST_F(RenderGl, OpaqueRectCoversExactlyItsPixels) {
    draw_rect(10, 20, 30, 40, 200, 30, 40, 255);
    EXPECT_TRUE(near_rgb(read_pixel(10, 20), 200, 30, 40, 0));
    EXPECT_TRUE(near_rgb(read_pixel(39, 59), 200, 30, 40, 0));
    EXPECT_TRUE(near_rgb(read_pixel(9, 20), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(10, 19), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(40, 59), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(39, 60), 255, 255, 255, 0));
    // Every uniform is back to white, opaque, textured.
    EXPECT_FLOAT_EQ(uniform_float("alpha"), 1.0f);
    EXPECT_EQ(uniform_int("no_texture"), 0);
}

TEST_F(RenderGl, TranslucentRectBlendsAndRestoresAlpha) {
    draw_rect(0, 0, 50, 50, 255, 0, 0, 128);
    // 128/255 of red over white.
    EXPECT_TRUE(near_rgb(read_pixel(25, 25), 255, 127, 127));
    EXPECT_FLOAT_EQ(uniform_float("alpha"), 1.0f);
}

TEST_F(RenderGl, OpaqueRectLeavesACallersAlphaAlone) {
    set_draw_alpha(0.5f);
    draw_rect(0, 0, 50, 50, 0, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(25, 25), 127, 127, 127, 2));
    EXPECT_FLOAT_EQ(uniform_float("alpha"), 0.5f);
    set_draw_alpha(1.0f);
}

TEST_F(RenderGl, PrimitivesFollowTheCallersTransform) {
    push_matrix();
    translate_matrix(100, 50);
    scale_matrix(2, 2);
    draw_rect(5, 5, 10, 10, 0, 0, 255, 255);
    pop_matrix();
    EXPECT_TRUE(near_rgb(read_pixel(110, 60), 0, 0, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(129, 79), 0, 0, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(130, 80), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(109, 60), 255, 255, 255, 0));
}

TEST_F(RenderGl, OutlineBarsAreInsideAndDoNotOverlap) {
    // Half-transparent: an overlap would show darker than the rest.
    draw_rect_outline(20, 30, 10, 10, 2, 0, 0, 0, 128);
    int covered = 0;
    for (int y = 25; y < 45; y++) {
        for (int x = 15; x < 35; x++) {
            Rgba p = read_pixel(x, y);
            bool inside = x >= 20 && x < 30 && y >= 30 && y < 40;
            bool hollow = x >= 22 && x < 28 && y >= 32 && y < 38;
            if (inside && !hollow) {
                EXPECT_TRUE(near_rgb(p, 127, 127, 127)) << "frame pixel " << x << ", " << y;
                covered++;
            } else {
                EXPECT_TRUE(near_rgb(p, 255, 255, 255, 0)) << "clear pixel " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(covered, 100 - 36);
    EXPECT_FLOAT_EQ(uniform_float("alpha"), 1.0f);
    EXPECT_EQ(uniform_int("no_texture"), 0);
}

TEST_F(RenderGl, ProjectionFollowsTheFramebufferSize) {
    // A smaller framebuffer in the lower-left corner of the window.
    resize_viewport(100, 50);
    EXPECT_EQ(logical_width, 100);
    EXPECT_EQ(logical_height, 50);
    const float* p = current_projection_matrix();
    EXPECT_FLOAT_EQ(p[0], 2.0f / 100);
    EXPECT_FLOAT_EQ(p[5], -2.0f / 50);
    EXPECT_FLOAT_EQ(p[3], -1.0f);
    EXPECT_FLOAT_EQ(p[7], 1.0f);
    EXPECT_FLOAT_EQ(p[10], -0.2f);
    EXPECT_FLOAT_EQ(p[11], -1.0f);
    draw_rect(90, 40, 10, 10, 0, 128, 0, 255);
    // Logical (90..99, 40..49) is window rows 140..149 from the top.
    EXPECT_TRUE(near_rgb(read_pixel(95, 145), 0, 128, 0, 0));
    EXPECT_TRUE(near_rgb(read_pixel(95, 135), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(105, 145), 255, 255, 255, 0));
}

TEST_F(RenderGl, MinimisedWindowKeepsTheLastProjection) {
    std::vector<float> before(current_projection_matrix(), current_projection_matrix() + 16);
    resize_viewport(0, 0);
    EXPECT_EQ(logical_width, WIDTH);
    EXPECT_EQ(logical_height, HEIGHT);
    for (int i = 0; i < 16; i++) EXPECT_EQ(current_projection_matrix()[i], before[i]);
    for (float v :
         std::vector<float>(current_projection_matrix(), current_projection_matrix() + 16))
        EXPECT_TRUE(std::isfinite(v));
    resize_viewport(WIDTH, HEIGHT);
    draw_rect(0, 0, 5, 5, 0, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(2, 2), 0, 0, 0, 0));
}

TEST_F(RenderGl, TextureIsCentredAtItsLogicalSize) {
    std::filesystem::create_directories("images");
    std::vector<unsigned char> pixels(20 * 10 * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = 0;
        pixels[i + 1] = 0;
        pixels[i + 2] = 255;
        pixels[i + 3] = 255;
    }
    ASSERT_TRUE(stbi_write_png("images/blue.png", 20, 10, 4, pixels.data(), 20 * 4));
    Texture* texture = load_image("blue.png");
    ASSERT_NE(texture->gpu_id, 0u);
    draw_texture_centered(texture, 100, 50);
    EXPECT_TRUE(near_rgb(read_pixel(91, 46), 0, 0, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(108, 54), 0, 0, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(89, 50), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(110, 50), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(100, 44), 255, 255, 255, 0));
    EXPECT_TRUE(near_rgb(read_pixel(100, 55), 255, 255, 255, 0));
}

TEST_F(RenderGl, MissingImageDrawsAsATransparentPixel) {
    Texture* texture = load_image("nowhere.png");
    ASSERT_NE(texture, nullptr);
    EXPECT_NE(texture->gpu_id, 0u);
    EXPECT_TRUE(glIsTexture(texture->gpu_id));
    EXPECT_EQ(texture->width, 1);
    push_matrix();
    scale_matrix(50, 50);
    draw_texture_centered(texture, 1, 1);
    pop_matrix();
    EXPECT_TRUE(near_rgb(read_pixel(50, 50), 255, 255, 255, 0));
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(RenderGl, ImageReloadReplacesTheGpuTexture) {
    std::filesystem::create_directories("images");
    unsigned char red[4] = {255, 0, 0, 255}, green[4] = {0, 255, 0, 255};
    ASSERT_TRUE(stbi_write_png("images/tile.png", 1, 1, 4, red, 4));
    Texture* texture = load_image("tile.png");
    uint32_t old_id = texture->gpu_id;
    ASSERT_TRUE(stbi_write_png("images/tile.png", 1, 1, 4, green, 4));
    std::filesystem::last_write_time(
        "images/tile.png",
        std::filesystem::last_write_time("images/tile.png") + std::chrono::seconds(3));
    reload_changed_images();
    EXPECT_NE(texture->gpu_id, old_id);
    EXPECT_FALSE(glIsTexture(old_id));
    push_matrix();
    scale_matrix(20, 20);
    draw_texture_centered(texture, 1, 1);
    pop_matrix();
    EXPECT_TRUE(near_rgb(read_pixel(20, 20), 0, 255, 0, 0));

    // A broken rewrite leaves the last good picture in place.
    uint32_t good_id = texture->gpu_id;
    FILE* file = fopen("images/tile.png", "wb");
    fputs("not a picture", file);
    fclose(file);
    std::filesystem::last_write_time(
        "images/tile.png",
        std::filesystem::last_write_time("images/tile.png") + std::chrono::seconds(6));
    reload_changed_images();
    EXPECT_EQ(texture->gpu_id, good_id);
    EXPECT_TRUE(glIsTexture(good_id));
}

}  // namespace
