// window_place_fuzz.cpp - the remembered window place ("window_place")
// through its parser; anything parsed must be within its bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/display.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WindowPlace place;
    if (parse_window_place((const char*)data, size, &place) &&
        (place.rect.width < 1 || place.rect.width > WINDOW_PLACE_MAX_COORD))
        abort();
    return 0;
}
