// sound_fuzz.h - the body shared by the WAV and Ogg harnesses: one file
// through the sound decoding, from memory as the game decodes its sounds,
// without a device.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/sounds.h"

static volatile float sink;

inline int fuzz_sound_decoding(const uint8_t* data, size_t size, bool is_ogg) {
    uint64_t count = 0;
    float* samples = decode_sound_data(data, size, is_ogg, &count);
    if ((samples == nullptr) != (count == 0)) __builtin_trap();
    // The mixer reads every sample up to count; none may be NaN or infinite.
    float sum = 0.0f;
    for (uint64_t i = 0; i < count; i++) {
        if (!std::isfinite(samples[i])) __builtin_trap();
        sum += samples[i];
    }
    free(samples);
    sink = sum;
    return 0;
}
