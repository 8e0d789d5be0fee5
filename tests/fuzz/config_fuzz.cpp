// config_fuzz.cpp - config.txt text through the parser with every screen's
// keys registered, as the game registers them at start-up.
//
// The registry is filled once; each input is applied on top of what the
// previous ones left, the way a live re-read applies a saved file. Reload
// callbacks never run (they would load fonts), so no window is needed.
#include <cstddef>
#include <cstdint>

#include "app/shell.h"
#include "config/config.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    register_all_settings();
    config_reloading = false;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    apply_config_text((const char*)data, size);
    return 0;
}
