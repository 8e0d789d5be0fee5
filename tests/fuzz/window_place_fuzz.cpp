// window_place_fuzz.cpp - the remembered window place ("window_place")
// through its parser; what it accepts is within its bounds.
#include <cstdlib>

#include "app/display.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WindowPlace p;
    if (parse_window_place((const char*)data, size, &p) && p.rect.width < 1) abort();
    return 0;
}
