// sound_wav_fuzz.cpp - a WAV file (or anything else the WAV decoder opens) through the sound
// decoding, from memory as the game decodes its sounds, without a device.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/sounds.h"

static volatile float sink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint64_t count = 0;
    float* samples = decode_sound_data(data, size, false, &count);
    if ((samples == nullptr) != (count == 0)) __builtin_trap();
    // The mixer reads every sample up to count.
    float sum = 0.0f;
    for (uint64_t i = 0; i < count; i++) sum += samples[i];
    free(samples);
    sink = sum;
    return 0;
}
