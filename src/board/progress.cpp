// progress.cpp - levels and their challenge modes, moving on to the next
// level, and saving the progress to "autosave" and reading it back (the
// record's bytes are board/save_codec's).
#include "board/progress.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/mixer.h"
#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/save_codec.h"
#include "board/tutorial.h"
#include "platform/platform.h"
#include "platform/window_metrics.h"

uint16_t level;
uint8_t tutorial_done;
uint8_t vibrations_enabled;

float level_time;
float best_match_time;
float time_since_match;
uint16_t match_count;
bool restored;
uint8_t current_set;
uint8_t next_set;

static const uint16_t FIRST_TIME_LIMIT = 120;  // level 10, the first Time Challenge

// pair_budget and time_left of the restored board were read from the file
// (a budget of 0 there means the challenge was already won, a clock of 0
// that it was lost).
static bool restored_budget_read;
static bool restored_clock_read;

// A saved file that exists but could not be read (another user's file, a
// read error) may hold good progress: this run never writes over it.
static char unreadable_save_path[1024];

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
    p->time_left = level_state.time_left;
    p->pair_budget = level_state.pair_budget;
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
    char temp[1024];
    int n = snprintf(temp, sizeof temp, "%s.tmp", path);
    if (n < 0 || (size_t)n >= sizeof temp) return false;
    FILE* f = fopen(temp, "wb");
    if (!f) return false;
    bool ok = fwrite(bytes, 1, length, f) == length;
    ok = platform_sync_file(f) && ok;
    ok = fclose(f) == 0 && ok;
    if (ok) ok = platform_replace_file(temp, path);
    if (!ok) remove(temp);
    return ok;
}

bool save_progress() {
    char path[1000];
    return writable_path(path, sizeof path, "autosave") && save_progress_to(path);
}

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
    level_state.time_left = p.time_left;
    level_state.pair_budget = p.pair_budget;
    restored_budget_read = p.pair_budget_read;
    restored_clock_read = p.time_left_read;
    memcpy(ghost, p.ghosts, sizeof ghost);
    level_time = p.level_time;
    best_match_time = p.best_match_time;
    match_count = p.match_count;

    choose_tile_sets();
}

void load_progress() {
    char path[1000];
    if (!writable_path(path, sizeof path, "autosave")) path[0] = '\0';  // reads as missing
    load_progress_from(path);
}

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

void choose_tile_sets() {
    current_set = tile_set_of_level(level);
    // Without any tile set there is nothing to wrap around to.
    next_set = tile_set_count ? (uint8_t)((current_set + 1) % tile_set_count) : 0;
}

LevelResult level_result() {
    if (tutorial_active) return LEVEL_PLAYING;
    bool budget_spent = pairs_countdown && level_state.pair_budget == 0;
    if (board.tile_count == 0)
        return time_challenge || budget_spent ? LEVEL_SET_COMPLETE : LEVEL_WON;
    if (budget_spent) return LEVEL_SET_COMPLETE;
    // Once the last pair is matched the clock can no longer lose the level.
    if (time_challenge && level_state.time_left == 0 && tiles_left_to_match()) return LEVEL_LOST;
    return LEVEL_PLAYING;
}

bool deal_level() {
    Level& l = level_state;
    LevelMode mode = level_mode(level);
    time_challenge = mode == LEVEL_TIME_CHALLENGE;
    pairs_countdown = mode == LEVEL_PAIRS_COUNTDOWN;
    if (!restored) generate_level_layout(level);
    board.tile_count = count_tiles(board);

    if (time_challenge) {
        l.time_limit = level == 10 ? FIRST_TIME_LIMIT
                                   : (uint16_t)(SECONDS_PER_PICTURE * picture_count_of_level(level));
        // A clock read back as 0 ran out: that level stays lost.
        bool ran_out = restored && restored_clock_read && l.time_left == 0;
        if (l.time_left > l.time_limit || (l.time_left == 0 && !ran_out))
            l.time_left = l.time_limit;
    } else {
        l.time_left = 0;
    }
    if (pairs_countdown) {
        // A budget of 0 read back from the file is a won challenge.
        if (l.pair_budget == 0 && !(restored && restored_budget_read))
            l.pair_budget = MAX_PAIR_BUDGET;
        if (l.pair_budget > MAX_PAIR_BUDGET) l.pair_budget = MAX_PAIR_BUDGET;
    } else {
        l.pair_budget = 0;
    }

    stop_clock();
    l.clock_seconds = l.time_left;
    clear_removals();
    if (!restored) {
        best_match_time = NO_MATCH_TIME;
        level_time = 0.0f;
        match_count = 0;
    }
    time_since_match = 0.0f;
    hide_no_moves();

    bool resumed = restored;
    restored = false;
    restored_budget_read = false;
    restored_clock_read = false;
    return resumed;
}

bool next_level() {
    // The last level is played again and again rather than wrapping to 0.
    if (level < MAX_LEVEL) level++;
    uint8_t old_set = current_set;
    choose_tile_sets();
    return current_set != old_set;
}
