// png_fuzz.cpp - an image file through the decoding the textures use:
// the PNG signature check, the size cap read from the header, the decode.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/texture.h"

static volatile unsigned sink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int width = 0, height = 0;
    const char* reason = nullptr;
    unsigned char* pixels = decode_png(data, size, &width, &height, &reason);
    if (!pixels) {
        if (!reason) __builtin_trap();  // a refusal always says why
        return 0;
    }
    if (width <= 0 || height <= 0 || (int64_t)width * height > 4096 * 4096) __builtin_trap();
    // Every pixel the upload would read must be there.
    unsigned sum = 0;
    size_t bytes = (size_t)width * height * 4;
    for (size_t i = 0; i < bytes; i += 61) sum += pixels[i];
    sum += pixels[bytes - 1];
    free(pixels);
    sink = sum;
    return 0;
}
