// Texture records without a window: the pool, lookup by name, the image
// path rule, and what a missing, foreign or oversized file gives.
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/window_metrics.h"
#include "render/texture.h"
#include "support/gl_context.h"

namespace fs = std::filesystem;

namespace {

void write_png(const char* path, int width, int height) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::vector<unsigned char> pixels((size_t)width * height * 4, 200);
    ASSERT_TRUE(stbi_write_png(path, width, height, 4, pixels.data(), width * 4));
}

void write_bytes(const char* path, const std::vector<unsigned char>& bytes) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

// A PNG signature and a header chunk claiming the given size; no pixels.
std::vector<unsigned char> png_header_only(uint32_t width, uint32_t height) {
    std::vector<unsigned char> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                    0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) b.push_back((unsigned char)(v >> shift));
    for (unsigned char c : {8, 6, 0, 0, 0, 0, 0, 0, 0}) b.push_back(c);
    return b;
}

class TexturePool : public ::testing::Test {
   protected:
    TempWorkDir dir;
    void SetUp() override { ASSERT_TRUE(enter_temp_work_dir(&dir, "texture")); }
    void TearDown() override {
        pixel_scale = 1;
        clear_textures();
        leave_temp_work_dir(&dir);
    }
};

TEST_F(TexturePool, ImageGetsItsPixelSizeAndPath) {
    write_png("images/rounded_rect.png", 64, 48);
    Texture* texture = load_image("rounded_rect.png");
    ASSERT_NE(texture, nullptr);
    EXPECT_STREQ(texture->name, "rounded_rect.png");
    EXPECT_STREQ(texture->path, "images/rounded_rect.png");
    EXPECT_EQ(texture->width, 64);
    EXPECT_EQ(texture->height, 48);
    EXPECT_NE(texture->file_time, 0);
    EXPECT_FALSE(texture->half_size);
    EXPECT_EQ(find_texture("rounded_rect.png"), texture);
}

TEST_F(TexturePool, DoubleResolutionDirectoryOnlyAtScaleTwo) {
    write_png("images/a.png", 32, 32);
    write_png("images_x2/a.png", 64, 64);
    write_png("images/b.png", 20, 10);
    EXPECT_EQ(load_image("a.png")->width, 32);  // scale 1 never looks there

    pixel_scale = 2;
    Texture* a = load_image("a.png");
    EXPECT_TRUE(a->half_size);
    EXPECT_STREQ(a->path, "images_x2/a.png");
    EXPECT_EQ(a->width, 32);
    Texture* b = load_image("b.png");
    EXPECT_FALSE(b->half_size);
    EXPECT_STREQ(b->path, "images/b.png");
    EXPECT_EQ(b->width, 20);
    EXPECT_EQ(b->height, 10);
}

TEST_F(TexturePool, UnusableFilesGiveAOnePixelTexture) {
    write_bytes("images/text.png", {'h', 'e', 'l', 'l', 'o'});
    // A tiny header that other decoders would read as a huge TGA picture.
    write_bytes("images/tga.png",
                {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0x7f, 0xff, 0x7f, 32, 0});
    write_bytes("images/huge.png", png_header_only(100000, 100000));
    write_bytes("images/cut.png", png_header_only(16, 16));
    const char* names[] = {"absent.png", "text.png", "tga.png", "huge.png", "cut.png"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        Texture* texture = load_image(name);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->width, 1);
        EXPECT_EQ(texture->height, 1);
    }
    EXPECT_EQ(find_texture("absent.png")->file_time, 0);
}

TEST_F(TexturePool, DecoderRefusesOversizedHeadersBeforeDecoding) {
    const char* reason = nullptr;
    int w = 0, h = 0;
    std::vector<unsigned char> big = png_header_only(5000, 5000);
    EXPECT_EQ(decode_png(big.data(), big.size(), &w, &h, &reason), nullptr);
    ASSERT_NE(reason, nullptr);
    EXPECT_STREQ(reason, "image too large");

    write_png("ok.png", 3, 2);
    std::ifstream in("ok.png", std::ios::binary);
    std::vector<unsigned char> ok((std::istreambuf_iterator<char>(in)), {});
    unsigned char* pixels = decode_png(ok.data(), ok.size(), &w, &h, &reason);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(pixels[0], 200);
    free(pixels);
}

TEST_F(TexturePool, NewestOfANameWinsAndDeletionUnlinks) {
    Texture* older = claim_texture("tile");
    Texture* newer = claim_texture("tile");
    Texture* other = claim_texture("other");
    EXPECT_EQ(find_texture("tile"), newer);
    EXPECT_EQ(find_texture("Tile"), nullptr);
    EXPECT_EQ(texture_list, other);
    delete_texture(newer);
    EXPECT_EQ(find_texture("tile"), older);
    EXPECT_EQ(texture_count, 2);
    EXPECT_FALSE(newer->in_use);

    Texture stray = {};
    delete_texture(&stray);  // not in the list: left alone
    EXPECT_EQ(texture_count, 2);
}

TEST_F(TexturePool, HundredRecordsThenRefusal) {
    std::vector<Texture*> claimed;
    for (int i = 0; i < MAX_TEXTURES; i++) {
        Texture* t = claim_texture("t");
        ASSERT_NE(t, nullptr);
        claimed.push_back(t);
    }
    EXPECT_EQ(claim_texture("t"), nullptr);
    EXPECT_EQ(load_image("x.png"), nullptr);
    EXPECT_EQ(texture_count, MAX_TEXTURES);
    delete_texture(claimed[42]);
    EXPECT_EQ(claim_texture("t"), claimed[42]);
}

TEST_F(TexturePool, FontAtlasRecordsAreNeverReRead) {
    write_png("images/a.png", 8, 8);
    Texture* atlas = claim_texture("some_font");
    atlas->not_a_file = true;
    snprintf(atlas->path, sizeof(atlas->path), "images/a.png");
    atlas->width = atlas->height = 512;
    reload_changed_images();
    EXPECT_EQ(atlas->width, 512);
    EXPECT_EQ(atlas->file_time, 0);
}

TEST_F(TexturePool, ChangedImageIsReloadedInPlace) {
    write_png("images/tile.png", 8, 8);
    Texture* texture = load_image("tile.png");
    ASSERT_EQ(texture->width, 8);
    reload_changed_images();  // unchanged: nothing happens
    EXPECT_EQ(texture->width, 8);

    write_png("images/tile.png", 16, 4);
    fs::last_write_time("images/tile.png",
                        fs::last_write_time("images/tile.png") + std::chrono::seconds(5));
    reload_changed_images();
    EXPECT_EQ(find_texture("tile.png"), texture);
    EXPECT_EQ(texture->width, 16);
    EXPECT_EQ(texture->height, 4);
}

TEST_F(TexturePool, HalfWrittenImageKeepsThePictureUntilItIsWhole) {
    write_png("images/tile.png", 8, 8);
    Texture* texture = load_image("tile.png");
    auto stamp = fs::last_write_time("images/tile.png") + std::chrono::seconds(5);
    write_bytes("images/tile.png", {0x89, 'P', 'N', 'G'});
    fs::last_write_time("images/tile.png", stamp);
    testing::internal::CaptureStderr();
    reload_changed_images();
    EXPECT_FALSE(reload_changed_images()) << "a broken file is read again only once it changes";
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(texture->width, 8);
    // One line for the failure, not one per check.
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;

    // The finished file lands in the same second: still picked up.
    write_png("images/tile.png", 12, 6);
    fs::last_write_time("images/tile.png", stamp);
    reload_changed_images();
    EXPECT_EQ(texture->width, 12);
    EXPECT_EQ(texture->height, 6);
}

TEST_F(TexturePool, ImageThatAppearsLaterIsLoaded) {
    Texture* texture = load_image("late.png");
    EXPECT_EQ(texture->width, 1);
    write_png("images/late.png", 5, 7);
    reload_changed_images();
    EXPECT_EQ(texture->width, 5);
    EXPECT_EQ(texture->height, 7);
}

}  // namespace
