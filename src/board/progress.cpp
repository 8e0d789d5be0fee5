// progress.cpp - levels and their challenge modes, moving on to the next
// level, and the "autosave" file that keeps the progress between runs.
//
// The file is little-endian and packed (version 2, 32 + n + k bytes for a
// board of n cells with k ghosts). Reading applies the fields in file order
// and stops at the first one that fails its check or lies past the end of
// the file; everything after keeps its first-start default.
#include "board/progress.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/mixer.h"
#include "audio/sounds.h"
#include "board/board.h"
#include "board/click.h"
#include "board/tutorial.h"
#include "platform/platform.h"
#include "render/shader.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/level_result.h"
#include "screen/tween.h"
#include "ui/popups.h"

uint16_t level;
uint8_t tutorial_done;
uint8_t music_enabled;
uint8_t sounds_enabled;
uint8_t vibrations_enabled;

uint16_t time_limit;
uint16_t time_left;
float clock_running;
float clock_seconds;
uint16_t pair_budget;
float level_time;
float best_match_time;
float time_since_match;
uint16_t match_count;
bool restored;
uint8_t current_set;
uint8_t next_set;

static const char autosave_path[] = "autosave";
static const float NO_MATCH_TIME = 86400.0f;  // "no pair removed yet"
static const float MAX_LEVEL_TIME = 864000.0f;
static const uint16_t MAX_SAVED_SECONDS = 300;
static const uint16_t MAX_SAVED_COUNT = 300;
static const uint16_t MAX_MATCH_COUNT = 100;
static const uint16_t FIRST_TIME_LIMIT = 120;  // level 10, the first Time Challenge

// pair_budget and time_left of the restored board were read from the file
// (a budget of 0 there means the challenge was already won, a clock of 0
// that it was lost).
static bool restored_budget_read;
static bool restored_clock_read;

// A saved file that exists but could not be read (another user's file, a
// read error) may hold good progress: this run never writes over it.
static char unreadable_save_path[256];

// Nothing draws a grid background until the game screen provides one.
#if defined(__GNUC__)
__attribute__((weak)) void rebuild_grid_background() {}
#endif

void play_effect(const char* name) {
    if (sounds_enabled) play_sound(name);
}

// --- Encoding ---------------------------------------------------------------------

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

// Applies the fields in file order; see decode_progress.
static void decode_fields(const uint8_t* data, size_t length, SavedProgress* p) {
    default_saved_progress(p);
    if (!data) return;
    Reader r = {data, length, 0};

    uint8_t version;
    if (!r.u8(&version) || (version != 1 && version != 2)) return;
    if (!r.u16(&p->level)) return;
    if (p->level == 0 || p->level > MAX_LEVEL) {
        p->level = 1;
        return;
    }
    uint8_t settings[4] = {};
    uint64_t position = 0;
    // The settings and the music position are taken as a group.
    if (!r.has(4 + 8)) return;
    for (uint8_t& s : settings) r.u8(&s);
    r.u64(&position);
    p->tutorial_done = settings[0];
    p->music_enabled = settings[1];
    p->sounds_enabled = settings[2];
    p->vibrations_enabled = settings[3];
    p->music_position = position;

    if (!r.u8(&p->width) || p->width > BOARD_MAX_SIDE) return;
    if (!r.u8(&p->height) || p->height > BOARD_MAX_SIDE) return;
    size_t n = (size_t)p->width * p->height;
    if (!r.has(n)) return;
    memcpy(p->cells, data + r.at, n);
    r.at += n;
    uint8_t pictures = picture_count_of_level(p->level);
    for (size_t i = 0; i < n; i++)
        if (p->cells[i] > pictures) return;
    p->restored = true;

    if (!r.u16(&p->time_left)) return;
    if (p->time_left > MAX_SAVED_SECONDS) {
        p->time_left = 0;
        return;
    }
    p->time_left_read = true;
    if (!r.u16(&p->pair_budget)) return;
    if (p->pair_budget > MAX_SAVED_COUNT) {
        p->pair_budget = 0;
        return;
    }
    p->pair_budget_read = true;

    uint8_t k;
    if (!r.u8(&k) || !r.has(k)) return;
    p->ghost_count = k;
    for (int g = 0; g < k; g++) {
        uint8_t index = 0;
        r.u8(&index);
        if (index < BOARD_MAX_CELLS) p->ghosts[index] = 1;
    }
    if (version == 1) return;

    if (!r.f32(&p->level_time)) return;
    if (!(p->level_time >= 0.0f && p->level_time <= MAX_LEVEL_TIME)) p->level_time = 0.0f;
    if (!r.f32(&p->best_match_time)) return;
    if (!(p->best_match_time > 0.0f && p->best_match_time <= NO_MATCH_TIME))
        p->best_match_time = NO_MATCH_TIME;
    if (!r.u16(&p->match_count)) return;
    if (p->match_count > MAX_MATCH_COUNT) p->match_count = 0;
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

// --- Saving and loading ---------------------------------------------------------

static void gather_progress(SavedProgress* p) {
    default_saved_progress(p);
    p->level = level;
    p->tutorial_done = tutorial_done;
    p->music_enabled = music_enabled;
    p->sounds_enabled = sounds_enabled;
    p->vibrations_enabled = vibrations_enabled;
    p->music_position = current_music_position();
    // While the tutorial runs, the level's own board is the one set aside.
    const Board* saved = tutorial_active ? tutorial_set_aside_board() : nullptr;
    if (!saved) saved = &board;
    p->width = saved->width;
    p->height = saved->height;
    memcpy(p->cells, saved->cells, sizeof p->cells);
    p->time_left = time_left;
    p->pair_budget = pair_budget;
    if (pairs_countdown) memcpy(p->ghosts, ghost, sizeof p->ghosts);
    p->level_time = level_time;
    p->best_match_time = best_match_time;
    p->match_count = match_count;
}

bool save_progress_to(const char* path) {
    // Before load_progress the level is 0: such a record would be refused on
    // reading, so writing it could only destroy a good file.
    if (level == 0) return false;
    if (unreadable_save_path[0] && strcmp(path, unreadable_save_path) == 0) return false;
    SavedProgress p;
    gather_progress(&p);
    uint8_t bytes[PROGRESS_MAX_BYTES];
    size_t length = encode_progress(&p, bytes, sizeof bytes);
    if (length == 0) return false;

    // The old file stays whole until the new one is complete on disk.
    char temp[512];
    snprintf(temp, sizeof temp, "%s.tmp", path);
    FILE* f = fopen(temp, "wb");
    if (!f) return false;
    bool ok = fwrite(bytes, 1, length, f) == length;
    ok = platform_sync_file(f) && ok;
    ok = fclose(f) == 0 && ok;
    if (ok) ok = platform_replace_file(temp, path);
    if (!ok) remove(temp);
    return ok;
}

bool save_progress() { return save_progress_to(autosave_path); }

void load_progress_from(const char* path) {
    size_t length = 0;
    char* data = read_entire_file(path, &length);
    unreadable_save_path[0] = '\0';
    if (!data && platform_file_mtime(path) != 0) {
        snprintf(unreadable_save_path, sizeof unreadable_save_path, "%s", path);
        fprintf(stderr, "game: %s exists but cannot be read; it is kept and not written over\n",
                path);
    }
    SavedProgress p;
    decode_progress((const uint8_t*)data, data ? length : 0, &p);
    free(data);

    level = p.level;
    tutorial_done = p.tutorial_done;
    music_enabled = p.music_enabled;
    sounds_enabled = p.sounds_enabled;
    vibrations_enabled = p.vibrations_enabled;
    music_resume_position = p.music_position;
    restored = p.restored;
    board = Board{};
    if (restored) {
        board.width = p.width;
        board.height = p.height;
        memcpy(board.cells, p.cells, sizeof board.cells);
    }
    time_left = p.time_left;
    pair_budget = p.pair_budget;
    restored_budget_read = p.pair_budget_read;
    restored_clock_read = p.time_left_read;
    memcpy(ghost, p.ghosts, sizeof ghost);
    if (p.ghost_count > 0) ghost_appear_factor = 1.0f;  // restored ghosts show at full size
    level_time = p.level_time;
    best_match_time = p.best_match_time;
    match_count = p.match_count;

    current_set = tile_set_of_level(level);
    next_set = tile_set_count ? (uint8_t)((current_set + 1) % tile_set_count) : 0;
}

void load_progress() { load_progress_from(autosave_path); }

bool tile_sets_usable(char* message, size_t capacity) {
    const char* dir = pixel_scale == 2 ? "images_x2" : "images";
    if (tile_set_count == 0) {
        snprintf(message, capacity, "no tile sets: %s/tiles/count is missing or holds 0", dir);
        return false;
    }
    for (int s = 0; s < tile_set_count; s++) {
        if (tile_counts[s] == 0) {
            snprintf(message, capacity, "tile set %d has no pictures: %s/tiles/%02d/count", s + 1,
                     dir, s + 1);
            return false;
        }
    }
    if (capacity) message[0] = '\0';
    return true;
}

// --- Levels --------------------------------------------------------------------------

static void set_level_labels() {
    char text[32];
    snprintf(text, sizeof text, "Level %d", level);
    set_label_text(&level_label, text);
    set_label_text(&challenge_label, time_challenge    ? "Time Challenge"
                                     : pairs_countdown ? "Pairs Countdown"
                                                       : "");
    if (pairs_countdown) snprintf(text, sizeof text, "%d", pair_budget);
    else text[0] = '\0';
    set_label_text(&moves_label, text);
    if (time_challenge) format_clock_text(text, sizeof text, time_left);
    else text[0] = '\0';
    set_label_text(&timer_label, text);
}

LevelResult level_result() {
    if (tutorial_active) return LEVEL_PLAYING;
    bool budget_spent = pairs_countdown && pair_budget == 0;
    if (board.tile_count == 0) return time_challenge || budget_spent ? LEVEL_SET_COMPLETE : LEVEL_WON;
    if (budget_spent) return LEVEL_SET_COMPLETE;
    // Once the last pair is matched the clock can no longer lose the level.
    if (time_challenge && time_left == 0 && tiles_left_to_match()) return LEVEL_LOST;
    return LEVEL_PLAYING;
}

void start_level() {
    LevelMode mode = level_mode(level);
    time_challenge = mode == LEVEL_TIME_CHALLENGE;
    pairs_countdown = mode == LEVEL_PAIRS_COUNTDOWN;
    if (!restored) generate_level_layout(level);

    use_cell_sprites(nullptr);
    set_cell_textures(current_set);

    if (time_challenge) {
        time_limit = level == 10 ? FIRST_TIME_LIMIT : (uint16_t)(10 * picture_count_of_level(level));
        // A clock read back as 0 ran out: that level stays lost.
        bool ran_out = restored && restored_clock_read && time_left == 0;
        if (time_left > time_limit || (time_left == 0 && !ran_out)) time_left = time_limit;
    } else {
        time_left = 0;
    }
    if (pairs_countdown) {
        // A budget of 0 read back from the file is a won challenge.
        if (pair_budget == 0 && !(restored && restored_budget_read)) pair_budget = MAX_PAIR_BUDGET;
        if (pair_budget > MAX_PAIR_BUDGET) pair_budget = MAX_PAIR_BUDGET;
    } else {
        pair_budget = 0;
    }
    rebuild_grid_background();

    clock_running = 0.0f;
    clock_seconds = time_left;
    set_level_labels();

    removing_count = 0;
    if (!restored) {
        best_match_time = NO_MATCH_TIME;
        level_time = 0.0f;
        match_count = 0;
    }
    time_since_match = 0.0f;
    no_moves_shown = 0;

    if (restored) {
        // A board saved at the end of its level shows its result again.
        finish_level(level_result());
        // A board saved with no move left waits for its shuffle again.
        if (board.tile_count > 0 && level_result() == LEVEL_PLAYING && !any_move_exists())
            no_moves_shown = 1;
    }
    restored = false;
    restored_budget_read = false;
    restored_clock_read = false;
}

void reset_level_state() {
    stop_tweens_with_prefix("tile");
    stop_tweens_with_prefix("line");
    stop_tweens_with_prefix("help_popup_line");
    line_alpha = 0.0f;
    line_scale = 0.0f;
    demo_alpha = 0.0f;
    removing_count = 0;
    selected = false;
    no_moves_shown = 0;
    memset(removing, 0, sizeof removing);
    memset(ghost, 0, sizeof ghost);
    memset(shuffling, 0, sizeof shuffling);
    memset(draw_layer, 0, sizeof draw_layer);
    memset(level_sprites, 0, sizeof level_sprites);
}

void advance_level() {
    reset_level_state();
    // The last level is played again and again rather than wrapping to 0.
    if (level < MAX_LEVEL) level++;
    uint8_t old_set = current_set;
    current_set = tile_set_of_level(level);
    next_set = tile_set_count ? (uint8_t)((current_set + 1) % tile_set_count) : 0;
    if (current_set != old_set) {
        unload_tile_set(old_set);
        if (!tile_set_loaded(current_set)) load_tile_set(current_set);
    }
    start_level();
    // Saved once the new board exists: a crash before the shutdown save then
    // resumes the new level instead of finding the finished level's empty
    // board and skipping a level as already won.
    save_progress();
}
