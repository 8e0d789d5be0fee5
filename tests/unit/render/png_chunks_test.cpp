// What decode_png makes of damaged PNG chunk lists: a length field that runs
// past the end of the file used to make the decoder reserve that many bytes
// (over a gigabyte for one changed byte) before finding out.
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/texture.h"

namespace {

typedef std::vector<unsigned char> Bytes;

void append(void* context, void* data, int size) {
    Bytes* out = (Bytes*)context;
    out->insert(out->end(), (unsigned char*)data, (unsigned char*)data + size);
}

Bytes small_png() {
    unsigned char pixels[4 * 3 * 4];
    for (size_t i = 0; i < sizeof pixels; i++) pixels[i] = (unsigned char)(i * 13);
    Bytes png;
    EXPECT_TRUE(stbi_write_png_to_func(append, &png, 4, 3, 4, pixels, 4 * 4));
    return png;
}

// Offset of the first chunk of the given type (its length field).
size_t find_chunk(const Bytes& png, const char* type) {
    size_t at = 8;
    while (at + 12 <= png.size()) {
        uint32_t length = (uint32_t)png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        if (memcmp(&png[at + 4], type, 4) == 0) return at;
        at += 12 + length;
    }
    return 0;
}

struct Decoded {
    unsigned char* pixels;
    int width, height;
    const char* reason;
};

Decoded decode(const Bytes& png) {
    Decoded d = {};
    d.pixels = decode_png(png.data(), png.size(), &d.width, &d.height, &d.reason);
    return d;
}

}  // namespace

TEST(PngChunks, LengthFieldPastTheEndIsRefusedBeforeDecoding) {
    Bytes png = small_png();
    size_t idat = find_chunk(png, "IDAT");
    ASSERT_NE(idat, 0u);
    // The damage the fuzzer found: the top byte of IDAT's length set to 'I'.
    png[idat] = 'I';
    Decoded d = decode(png);
    EXPECT_EQ(d.pixels, nullptr);
    ASSERT_NE(d.reason, nullptr);
    EXPECT_STREQ(d.reason, "damaged or cut-off PNG chunks");

    // One byte too long is just as wrong.
    png = small_png();
    png[idat + 3]++;
    d = decode(png);
    EXPECT_EQ(d.pixels, nullptr);
    EXPECT_STREQ(d.reason, "damaged or cut-off PNG chunks");
}

TEST(PngChunks, FileCutBeforeItsEndChunkIsRefused) {
    Bytes whole = small_png();
    size_t iend = find_chunk(whole, "IEND");
    ASSERT_NE(iend, 0u);
    for (size_t length : {iend + 11, iend, iend - 3}) {
        SCOPED_TRACE(length);
        Bytes cut(whole.begin(), whole.begin() + (long)length);
        Decoded d = decode(cut);
        EXPECT_EQ(d.pixels, nullptr);
        EXPECT_STREQ(d.reason, "damaged or cut-off PNG chunks");
    }
}

TEST(PngChunks, WholeFilesStillDecodeWithExtraChunksAndTrailingBytes) {
    Bytes png = small_png();
    // An ancillary text chunk before the pixels (its CRC is not checked).
    const unsigned char text[] = {0, 0, 0, 3, 't', 'E', 'X', 't', 'a', 0, 'b', 1, 2, 3, 4};
    png.insert(png.begin() + (long)find_chunk(png, "IDAT"), text, text + sizeof text);
    // Bytes after the end chunk are ignored.
    png.insert(png.end(), {'j', 'u', 'n', 'k'});
    Decoded d = decode(png);
    ASSERT_NE(d.pixels, nullptr) << d.reason;
    EXPECT_EQ(d.width, 4);
    EXPECT_EQ(d.height, 3);
    EXPECT_EQ(d.pixels[4 * 3 * 4 - 1], (unsigned char)(47 * 13));
    free(d.pixels);
}
