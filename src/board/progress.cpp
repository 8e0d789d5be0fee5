// progress.cpp - saving the progress to "autosave" and reading it back
// (the record's bytes are board/save_codec's), and the tutorial mark and
// vibration setting kept with it.
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

uint8_t tutorial_done;
uint8_t vibrations_enabled;


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

SavedProgress load_progress_from(const char* path) {
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

    set_level_number(p.level);
    tutorial_done = p.tutorial_done;
    restore_sound_switches(p.music_enabled, p.sounds_enabled, p.music_position);
    vibrations_enabled = p.vibrations_enabled;
    return p;
}

SavedProgress load_progress() {
    char path[1000];
    if (!writable_path(path, sizeof path, "autosave")) path[0] = '\0';  // reads as missing
    return load_progress_from(path);
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

void mark_tutorial_done() {
    if (tutorial_done) return;
    tutorial_done = 1;
    save_progress();
}
