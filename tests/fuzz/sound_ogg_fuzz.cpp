// sound_ogg_fuzz.cpp - an Ogg Vorbis file through the sound decoding.
#include "sound_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz_sound_decoding(data, size, true);
}
