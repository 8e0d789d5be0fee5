// count_text_fuzz.cpp - the text of a tile count file ("tiles/count",
// "tiles/NN/count") through its parser, NUL-terminated as the file reader
// leaves it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "board/board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char* text = (char*)malloc(size + 1);
    memcpy(text, data, size);
    text[size] = '\0';
    parse_count_text(text);
    free(text);
    return 0;
}
