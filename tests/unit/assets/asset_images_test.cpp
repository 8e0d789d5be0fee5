// Data-contract tests for the generated images: tile-set count files against
// the pictures on disk, the pictures' size, format and clean edges, and the
// rounded rectangle that every panel is cut from; images_x2 holds the same
// at twice the size.
#include "asset_files.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <vector>

namespace {

struct Rgba {
    int width = 0, height = 0, channels_in_file = 0;
    std::vector<unsigned char> pixels;   // always 4 channels
    const unsigned char *at(int x, int y) const { return &pixels[((size_t)y * width + x) * 4]; }
};

bool load_png(const std::string &path, Rgba &image) {
    std::vector<unsigned char> bytes = read_bytes(path);
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 8 || !std::equal(signature, signature + 8, bytes.begin())) return false;
    unsigned char *data = stbi_load_from_memory(bytes.data(), (int)bytes.size(), &image.width, &image.height,
                                                &image.channels_in_file, 4);
    if (!data) return false;
    image.pixels.assign(data, data + (size_t)image.width * image.height * 4);
    stbi_image_free(data);
    return true;
}

std::string tile_path(int set, int picture, const char *dir = "images") {
    char name[64];
    std::snprintf(name, sizeof name, "%s/tiles/%02d/%02d.png", dir, set, picture);
    return run_path(name);
}

std::string set_dir(int set, const char *dir = "images") {
    char name[64];
    std::snprintf(name, sizeof name, "%s/tiles/%02d", dir, set);
    return run_path(name);
}

int png_files_in(const std::string &dir) {
    int n = 0;
    DIR *d = opendir(dir.c_str());
    if (!d) return -1;
    while (dirent *e = readdir(d)) {
        std::string name = e->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) n++;
    }
    closedir(d);
    return n;
}

int tile_set_count() { return read_count_file(run_path("images/tiles/count")); }

// Checks one tile picture of side pixels (80, or 160 in images_x2);
// returns a description of the first fault or "".
std::string picture_fault(const Rgba &img, int side = 80) {
    if (img.width != side || img.height != side) return "is not " + std::to_string(side) + " pixels square";
    if (img.channels_in_file != 4) return "is not stored as RGBA";
    int min_x = side, min_y = side, max_x = -1, max_y = -1;
    for (int y = 0; y < side; y++)
        for (int x = 0; x < side; x++)
            if (img.at(x, y)[3] > 0) {
                min_x = std::min(min_x, x), max_x = std::max(max_x, x);
                min_y = std::min(min_y, y), max_y = std::max(max_y, y);
            }
    if (max_x < 0) return "is fully transparent";
    if (min_x == 0 || min_y == 0 || max_x == side - 1 || max_y == side - 1) return "touches the tile's edge";
    int longer = std::max(max_x - min_x, max_y - min_y) + 1;
    if (longer < side * 70 / 80) return "does not fill its tile";

    // Linear filtering mixes every transparent pixel into the edge: each one
    // that borders the picture must carry the colours of its visible
    // neighbours (never black around a light picture).
    for (int y = 0; y < side; y++)
        for (int x = 0; x < side; x++) {
            const unsigned char *p = img.at(x, y);
            if (p[3] != 0) continue;
            int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
            bool borders = false;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    int nx = x + dx, ny = y + dy;
                    if ((!dx && !dy) || nx < 0 || ny < 0 || nx >= side || ny >= side) continue;
                    const unsigned char *q = img.at(nx, ny);
                    if (q[3] == 0) continue;
                    borders = true;
                    for (int c = 0; c < 3; c++) lo[c] = std::min<int>(lo[c], q[c]), hi[c] = std::max<int>(hi[c], q[c]);
                }
            if (!borders) continue;
            for (int c = 0; c < 3; c++)
                if (p[c] + 2 < lo[c] || p[c] > hi[c] + 2)
                    return "has a transparent edge pixel at (" + std::to_string(x) + ", " + std::to_string(y) +
                           ") whose colour does not come from the picture";
        }
    return "";
}

double mean_difference(const Rgba &a, const Rgba &b) {
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size(); i += 4)
        for (int c = 0; c < 4; c++) {
            // compare what is seen: colour weighted by coverage, and coverage
            double va = c < 3 ? a.pixels[i + c] * a.pixels[i + 3] / 255.0 : a.pixels[i + 3];
            double vb = c < 3 ? b.pixels[i + c] * b.pixels[i + 3] / 255.0 : b.pixels[i + 3];
            sum += std::abs(va - vb);
        }
    return sum / a.pixels.size();
}

}  // namespace

TEST(AssetTiles, CountFilesMatchThePicturesOnDisk) {
    SKIP_WITHOUT_ASSETS();
    int sets = tile_set_count();
    ASSERT_GE(sets, 1) << "images/tiles/count is missing or not a number";
    ASSERT_LE(sets, 64);
    for (int s = 1; s <= sets; s++) {
        SCOPED_TRACE("set " + std::to_string(s));
        int count = read_count_file(set_dir(s) + "/count");
        ASSERT_GE(count, 1);
        ASSERT_LE(count, 99);
        for (int k = 1; k <= count; k++) EXPECT_TRUE(path_exists(tile_path(s, k))) << tile_path(s, k);
        EXPECT_FALSE(path_exists(tile_path(s, count + 1)));
        EXPECT_EQ(png_files_in(set_dir(s)), count) << "pictures beyond the count";
    }
    // Levels 1 to 5 use up to seven kinds whatever the set holds, and the
    // tutorial shows pictures 1 and 2 of set 1.
    EXPECT_GE(read_count_file(set_dir(1) + "/count"), 7);
}

TEST(AssetTiles, EveryPictureIsAClean80x80RgbaTile) {
    SKIP_WITHOUT_ASSETS();
    int sets = tile_set_count();
    ASSERT_GE(sets, 1);
    int checked = 0;
    for (int s = 1; s <= sets; s++) {
        int count = read_count_file(set_dir(s) + "/count");
        for (int k = 1; k <= count; k++) {
            Rgba img;
            ASSERT_TRUE(load_png(tile_path(s, k), img)) << tile_path(s, k) << " is not a decodable PNG";
            std::string fault = picture_fault(img);
            EXPECT_EQ(fault, "") << tile_path(s, k) << " " << fault;
            checked++;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(AssetTiles, PicturesOfOneSetAreAllDifferent) {
    SKIP_WITHOUT_ASSETS();
    int sets = tile_set_count();
    for (int s = 1; s <= sets; s++) {
        int count = read_count_file(set_dir(s) + "/count");
        std::vector<Rgba> pictures(count);
        for (int k = 0; k < count; k++) ASSERT_TRUE(load_png(tile_path(s, k + 1), pictures[k]));
        for (int a = 0; a < count; a++)
            for (int b = a + 1; b < count; b++)
                EXPECT_GT(mean_difference(pictures[a], pictures[b]), 4.0)
                    << "set " << s << ": pictures " << a + 1 << " and " << b + 1 << " look the same";
    }
}

TEST(AssetImages, RoundedRectIsWhiteWithAntialiasedRoundCorners) {
    SKIP_WITHOUT_ASSETS();
    Rgba img;
    ASSERT_TRUE(load_png(run_path("images/rounded_rect.png"), img));
    ASSERT_EQ(img.width, 64);
    ASSERT_EQ(img.height, 64);
    EXPECT_EQ(img.channels_in_file, 4);

    bool partial = false;
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const unsigned char *p = img.at(x, y);
            // white even where transparent, so filtering never darkens the edge
            ASSERT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255) << "(" << x << ", " << y << ")";
            bool in_corner = (x < 16 || x >= 48) && (y < 16 || y >= 48);
            if (!in_corner) {
                ASSERT_EQ(p[3], 255) << "outside the 16-pixel corners everything is opaque: (" << x << ", " << y << ")";
                continue;
            }
            // the same curve in all four corners
            EXPECT_EQ(p[3], img.at(63 - x, y)[3]);
            EXPECT_EQ(p[3], img.at(x, 63 - y)[3]);
            EXPECT_EQ(p[3], img.at(y, x)[3]);
            if (p[3] > 0 && p[3] < 255) partial = true;
        }
    EXPECT_EQ(img.at(0, 0)[3], 0);
    EXPECT_EQ(img.at(32, 32)[3], 255);
    EXPECT_TRUE(partial) << "the corners are not anti-aliased";
    for (int i = 1; i < 16; i++) EXPECT_GE(img.at(i, i)[3], img.at(i - 1, i - 1)[3]) << "coverage grows inwards";
}

TEST(AssetImagesX2, SameCountFilesAndEveryPictureAClean160x160Tile) {
    SKIP_WITHOUT_ASSETS();
    int sets = tile_set_count();
    ASSERT_GE(sets, 1);
    ASSERT_EQ(read_count_file(run_path("images_x2/tiles/count")), sets);
    for (int s = 1; s <= sets; s++) {
        int count = read_count_file(set_dir(s) + "/count");
        ASSERT_EQ(read_count_file(set_dir(s, "images_x2") + "/count"), count) << "set " << s;
        EXPECT_EQ(png_files_in(set_dir(s, "images_x2")), count) << "set " << s;
        for (int k = 1; k <= count; k++) {
            Rgba img;
            ASSERT_TRUE(load_png(tile_path(s, k, "images_x2"), img)) << tile_path(s, k, "images_x2");
            EXPECT_EQ(picture_fault(img, 160), "") << tile_path(s, k, "images_x2");
        }
    }
}

TEST(AssetImagesX2, RoundedRectIsTheSameShapeAtTwiceTheSize) {
    SKIP_WITHOUT_ASSETS();
    Rgba small, big;
    ASSERT_TRUE(load_png(run_path("images/rounded_rect.png"), small));
    ASSERT_TRUE(load_png(run_path("images_x2/rounded_rect.png"), big));
    ASSERT_EQ(big.width, 128);
    ASSERT_EQ(big.height, 128);
    // Each 2 x 2 block covers what one pixel of the small image covers, so
    // the nine-slice corner keeps its share of the image.
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            int sum = big.at(2 * x, 2 * y)[3] + big.at(2 * x + 1, 2 * y)[3] + big.at(2 * x, 2 * y + 1)[3] +
                      big.at(2 * x + 1, 2 * y + 1)[3];
            ASSERT_NEAR(sum / 4.0, small.at(x, y)[3], 8.0) << "(" << x << ", " << y << ")";
            ASSERT_EQ(big.at(2 * x, 2 * y)[0], 255);
        }
}
