// board.cpp - the board's globals, level modes, tile-set tables, count files
// and the level seed offset table.
#include "board/board.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

uint8_t tile_set_count;
uint8_t tile_counts[MAX_TILE_SETS];

uint8_t level_seed_offsets[LEVEL_SEED_OFFSET_COUNT];

LevelMode level_mode(uint16_t number) {
    if (number % 20 == 0) return LEVEL_PAIRS_COUNTDOWN;
    if (number % 10 == 0) return LEVEL_TIME_CHALLENGE;
    return LEVEL_REGULAR;
}

uint8_t tile_set_of_level(uint16_t number) {
    if (tile_set_count == 0) return 0;
    // Level 0 would wrap below zero; treat it like number 1.
    unsigned quotient = number > 0 ? (unsigned)(number - 1) / 10 : 0;
    uint8_t q = (uint8_t)quotient;  // kept in 8 bits, as the saved progress always did
    return (uint8_t)(q % tile_set_count);
}

uint8_t picture_count_of_level(uint16_t number) {
    if (tile_set_count == 0) return 0;
    return tile_counts[tile_set_of_level(number)];
}

uint8_t parse_count_text(const char* text) {
    if (!text) return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') p++;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Wrap-around instead of overflow: only the low 8 bits are kept anyway.
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9') value = value * 10u + (uint32_t)(*p++ - '0');
    if (negative) value = 0u - value;
    return (uint8_t)value;
}

uint8_t read_count_file(const char* path) {
    char* text = read_entire_file(path);
    if (!text) return 0;
    uint8_t value = parse_count_text(text);
    free(text);
    return value;
}

void load_tile_set_counts(const char* images_dir) {
    char path[512];
    snprintf(path, sizeof path, "%s/tiles/count", images_dir);
    uint8_t count = read_count_file(path);
    tile_set_count = count > MAX_TILE_SETS ? (uint8_t)MAX_TILE_SETS : count;
    memset(tile_counts, 0, sizeof tile_counts);
    for (int s = 0; s < tile_set_count; s++) {
        snprintf(path, sizeof path, "%s/tiles/%02d/count", images_dir, s + 1);
        tile_counts[s] = read_count_file(path);
    }
}

void tile_picture_name(char* out, size_t capacity, uint8_t set, uint8_t picture) {
    snprintf(out, capacity, "tiles/%02d/%02d.png", set + 1, picture);
}

void clear_level_seed_offsets() {
    memset(level_seed_offsets, 0, sizeof level_seed_offsets);
}

void apply_level_seed_offsets(const uint8_t* data, size_t length) {
    for (size_t at = 0; at + 3 <= length; at += 3) {
        unsigned key = (unsigned)data[at] | ((unsigned)data[at + 1] << 8);
        if (key < LEVEL_SEED_OFFSET_COUNT) level_seed_offsets[key] = data[at + 2];
    }
}

bool load_level_seed_offsets(const char* path) {
    clear_level_seed_offsets();
    size_t length = 0;
    char* data = read_entire_file(path, &length);
    if (!data) return false;
    apply_level_seed_offsets((const uint8_t*)data, length);
    free(data);
    return true;
}

uint8_t level_seed_offset(uint16_t number) {
    if (number == 0 || number > LEVEL_SEED_OFFSET_COUNT) return 0;
    return level_seed_offsets[number - 1];
}
