// sound_ogg_fuzz.cpp - an Ogg Vorbis file through the sound decoding.
#include "sound_fuzz.h"

// libvorbisfile 1.3.7 keeps a failed open's 8-byte serial number list (seeds/
// sound_ogg), out of ov_clear's reach; its library has no symbols to name.
extern "C" const char* __lsan_default_suppressions() { return "leak:libvorbisfile.so.3\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz_sound_decoding(data, size, true);
}
