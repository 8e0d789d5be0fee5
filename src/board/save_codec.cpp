// save_codec.cpp - encoding and decoding the "autosave" record.
#include "board/save_codec.h"

#include <cstring>

#include "board/board.h"

static const float MAX_LEVEL_TIME = 864000.0f;
static const uint16_t MAX_SAVED_COUNT = 300;
static const uint16_t MAX_MATCH_COUNT = 100;

void default_saved_progress(SavedProgress* p) {
    memset(p, 0, sizeof *p);
    p->level = 1;
    p->music_enabled = p->sounds_enabled = p->vibrations_enabled = 1;
    p->best_match_time = NO_MATCH_TIME;
}

namespace {

struct Writer {
    uint8_t* out;
    size_t at;
    void u8(uint8_t v) { out[at++] = v; }
    void u16(uint16_t v) {
        u8((uint8_t)v);
        u8((uint8_t)(v >> 8));
    }
    void u32(uint32_t v) {
        u16((uint16_t)v);
        u16((uint16_t)(v >> 16));
    }
    void u64(uint64_t v) {
        u32((uint32_t)v);
        u32((uint32_t)(v >> 32));
    }
    void f32(float v) {
        uint32_t bits;
        memcpy(&bits, &v, 4);
        u32(bits);
    }
};

// Every read checks the remaining length first: a short file simply ends.
struct Reader {
    const uint8_t* data;
    size_t length, at;
    bool has(size_t n) const { return n <= length - at; }
    bool u8(uint8_t* v) {
        if (!has(1)) return false;
        *v = data[at++];
        return true;
    }
    bool u16(uint16_t* v) {
        if (!has(2)) return false;
        *v = (uint16_t)(data[at] | (data[at + 1] << 8));
        at += 2;
        return true;
    }
    bool u32(uint32_t* v) {
        if (!has(4)) return false;
        *v = 0;
        for (int k = 3; k >= 0; k--) *v = (*v << 8) | data[at + k];
        at += 4;
        return true;
    }
    bool u64(uint64_t* v) {
        uint32_t low = 0, high = 0;
        if (!has(8)) return false;
        u32(&low);
        u32(&high);
        *v = ((uint64_t)high << 32) | low;
        return true;
    }
    bool f32(float* v) {
        uint32_t bits;
        if (!u32(&bits)) return false;
        memcpy(v, &bits, 4);
        return true;
    }
};

}  // namespace

size_t encode_progress(const SavedProgress* p, uint8_t* out, size_t capacity) {
    if (p->width > BOARD_MAX_SIDE || p->height > BOARD_MAX_SIDE) return 0;
    size_t n = (size_t)p->width * p->height;
    size_t k = 0;
    for (size_t i = 0; i < n; i++) k += p->ghosts[i] != 0;
    size_t length = 32 + n + k;
    if (!out || capacity < length) return 0;

    Writer w = {out, 0};
    w.u8(PROGRESS_VERSION);
    w.u16(p->level);
    w.u8(p->tutorial_done);
    w.u8(p->music_enabled);
    w.u8(p->sounds_enabled);
    w.u8(p->vibrations_enabled);
    w.u64(p->music_position);
    w.u8(p->width);
    w.u8(p->height);
    for (size_t i = 0; i < n; i++) w.u8(p->cells[i]);
    w.u16(p->time_left);
    w.u16(p->pair_budget);
    w.u8((uint8_t)k);
    for (size_t i = 0; i < n; i++)
        if (p->ghosts[i]) w.u8((uint8_t)i);
    w.f32(p->level_time);
    w.f32(p->best_match_time);
    w.u16(p->match_count);
    return w.at;
}

// The record's parts in file order. Each applies what it could read and
// says whether the record goes on: a part that is missing or out of range
// ends the record there, and what came before it stands.

static bool read_level(Reader& r, SavedProgress* p) {
    if (!r.u16(&p->level)) return false;
    if (p->level == 0 || p->level > MAX_LEVEL) {
        p->level = 1;
        return false;
    }
    return true;
}

// The settings and the music position are taken as a group.
static bool read_settings(Reader& r, SavedProgress* p) {
    if (!r.has(4 + 8)) return false;
    uint8_t settings[4] = {};
    for (uint8_t& s : settings) r.u8(&s);
    r.u64(&p->music_position);
    p->tutorial_done = settings[0];
    p->music_enabled = settings[1];
    p->sounds_enabled = settings[2];
    p->vibrations_enabled = settings[3];
    return true;
}

static bool read_board(Reader& r, SavedProgress* p) {
    if (!r.u8(&p->width) || p->width > BOARD_MAX_SIDE) return false;
    if (!r.u8(&p->height) || p->height > BOARD_MAX_SIDE) return false;
    size_t n = (size_t)p->width * p->height;
    if (!r.has(n)) return false;
    memcpy(p->cells, r.data + r.at, n);
    r.at += n;
    uint8_t pictures = picture_count_of_level(p->level);
    for (size_t i = 0; i < n; i++)
        if (p->cells[i] > pictures) return false;
    p->restored = true;
    return true;
}

// The Time Challenge clock, the Pairs Countdown budget and its ghosts.
static bool read_challenge(Reader& r, SavedProgress* p) {
    if (!r.u16(&p->time_left)) return false;
    if (p->time_left > MAX_TIME_LIMIT) {
        p->time_left = 0;
        return false;
    }
    p->time_left_read = true;
    if (!r.u16(&p->pair_budget)) return false;
    if (p->pair_budget > MAX_SAVED_COUNT) {
        p->pair_budget = 0;
        return false;
    }
    p->pair_budget_read = true;

    uint8_t k;
    if (!r.u8(&k) || !r.has(k)) return false;
    p->ghost_count = k;
    for (int g = 0; g < k; g++) {
        uint8_t index = 0;
        r.u8(&index);
        if (index < BOARD_MAX_CELLS) p->ghosts[index] = 1;
    }
    return true;
}

// Version 2 adds the regular level's statistics; a value out of range
// counts as none.
static void read_statistics(Reader& r, SavedProgress* p) {
    if (!r.f32(&p->level_time)) return;
    if (!(p->level_time >= 0.0f && p->level_time <= MAX_LEVEL_TIME)) p->level_time = 0.0f;
    if (!r.f32(&p->best_match_time)) return;
    if (!(p->best_match_time > 0.0f && p->best_match_time <= NO_MATCH_TIME))
        p->best_match_time = NO_MATCH_TIME;
    if (!r.u16(&p->match_count)) return;
    if (p->match_count > MAX_MATCH_COUNT) p->match_count = 0;
}

// Applies the fields in file order; see decode_progress.
static void decode_fields(const uint8_t* data, size_t length, SavedProgress* p) {
    default_saved_progress(p);
    if (!data) return;
    Reader r = {data, length, 0};
    uint8_t version;
    if (!r.u8(&version) || (version != 1 && version != 2)) return;
    if (!read_level(r, p) || !read_settings(r, p) || !read_board(r, p) || !read_challenge(r, p))
        return;
    if (version == 2) read_statistics(r, p);
}

// A board the rules can finish: inside the cell arrays with a frame around
// at least one cell, the frame empty, and every picture paired (Pairs
// Countdown deals its kinds independently and refills instead).
static bool saved_board_playable(const SavedProgress* p) {
    int w = p->width, h = p->height;
    if (w < 3 || h < 3 || w * h > BOARD_MAX_CELLS) return false;
    unsigned counts[256] = {};
    for (int r = 0; r < h; r++)
        for (int c = 0; c < w; c++) {
            uint8_t v = p->cells[r * w + c];
            bool frame = r == 0 || c == 0 || r == h - 1 || c == w - 1;
            if (frame && v != EMPTY_CELL) return false;
            counts[v]++;
        }
    if (level_mode(p->level) == LEVEL_PAIRS_COUNTDOWN) return true;
    for (int v = 1; v < 256; v++)
        if (counts[v] % 2) return false;
    return true;
}

void decode_progress(const uint8_t* data, size_t length, SavedProgress* p) {
    decode_fields(data, length, p);
    if (!p->restored || saved_board_playable(p)) return;
    // The level is dealt afresh: nothing that belonged to this board stays.
    p->restored = false;
    p->width = p->height = 0;
    memset(p->cells, 0, sizeof p->cells);
    p->time_left = 0;
    p->time_left_read = false;
    p->pair_budget = 0;
    p->pair_budget_read = false;
    p->ghost_count = 0;
    memset(p->ghosts, 0, sizeof p->ghosts);
}
