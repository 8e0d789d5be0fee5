// tween.h - named animations that drive one float from a start to an end
// value over a duration.
//
// Every movement and fade of the game is a tween. Tweens live in a fixed
// pool of 200 slots; the running ones form a list, newest first, that
// update_tweens advances once per frame. Names are printf-formatted
// ("tile%d_bounce") so one tween per tile can be found and stopped.
// Drawing code only reads the driven variables, never the tweens.
//
// The pool knows nothing of the game: board cells' tweens are asked for by
// kind and cell (start_cell_tween), and cell_tween_name is the one place
// their names are formatted.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define TWEEN_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))
#else
#define TWEEN_PRINTF_FORMAT
#endif

constexpr int TWEEN_POOL_SIZE = 200;
constexpr int TWEEN_NAME_SIZE = 128;

struct TweenSlot;
typedef float (*EaseFn)(float t);
typedef void (*TweenDoneFn)(TweenSlot* slot);

struct TweenSlot {
    char name[TWEEN_NAME_SIZE];
    float* target;
    // Set instead of target for a variable that another thread reads (the
    // music volume, read by the mixer); written with relaxed stores.
    std::atomic<float>* shared_target;
    float from;
    float to;
    float elapsed;
    float duration;
    float delay;
    EaseFn ease;
    TweenDoneFn on_done;
    uint8_t hold;
    uint8_t user;
    uint8_t in_use;
    TweenSlot* next;
    // Bookkeeping of update_tweens: the slot was running when the current
    // walk began and has not been visited yet.
    uint8_t walk_pending;
    // Distinguishes a slot stopped and restarted inside on_done from the
    // one that ran it.
    uint32_t serial;
};

extern TweenSlot tween_pool[TWEEN_POOL_SIZE];
extern TweenSlot* active_tweens;
extern uint8_t active_tween_count;

// Takes the lowest free slot and links it at the head of the running list.
// Does not look for a running tween of the same name. When all slots are
// taken it says so on stderr, sets the variable to its end value, runs
// on_done at once (hold is moot) and returns null.
TweenSlot* start_tween(const char* name, float* target, float from, float to, float duration,
                       EaseFn ease, float delay = 0.0f, bool hold = false,
                       TweenDoneFn on_done = nullptr, uint8_t user = 0);
TweenSlot* start_tween(const char* name, std::atomic<float>* target, float from, float to,
                       float duration, EaseFn ease, float delay = 0.0f, bool hold = false,
                       TweenDoneFn on_done = nullptr, uint8_t user = 0);

// Stops the first running tween with the formatted name; its variable keeps
// the value it had. Nothing happens when no tween has that name.
void stop_tween(const char* format, ...) TWEEN_PRINTF_FORMAT;

// Stops every running tween whose name begins with prefix; all of them when
// prefix is null.
void stop_tweens_with_prefix(const char* prefix);

// First running tween with exactly this name, or null.
TweenSlot* find_tween(const char* name);

// The current value of the slot's driven variable (0 when it drives none).
float tween_target_value(const TweenSlot* slot);

// Advances every running tween by dt seconds. Tweens started meanwhile
// (from on_done handlers) are first advanced on the next call.
void update_tweens(float dt);
// Advances only the tweens of variables another thread reads (the music's
// volume): what goes on while the game itself stands still.
void update_shared_tweens(float dt);

// Frees every slot and empties the list (shutdown).
void clear_tweens();

// --- Tweens of board cells -------------------------------------------------

// At most one tween of each kind runs per cell; the slot's user byte is the
// cell. Their names all begin with "tile", so stop_tweens_with_prefix("tile")
// ends every one.
enum TweenKind {
    TWEEN_BOUNCE,     // "tile%d_bounce": selection bounce, or removal swell and shrink
    TWEEN_APPEAR,     // "tile%d_appear": a new tile grows from nothing
    TWEEN_SHUFFLE_X,  // "tile%d_shuffle_x": sliding home after a shuffle
    TWEEN_SHUFFLE_Y,  // "tile%d_shuffle_y"
};

// Writes the name of the kind's tween for the cell into out.
void cell_tween_name(char* out, size_t capacity, TweenKind kind, uint8_t cell);
// start_tween under the cell's name with user = cell.
TweenSlot* start_cell_tween(TweenKind kind, uint8_t cell, float* target, float from, float to,
                            float duration, EaseFn ease, bool hold = false,
                            TweenDoneFn on_done = nullptr);
// The running tween of the kind for the cell, or null.
TweenSlot* find_cell_tween(TweenKind kind, uint8_t cell);
// Stops it; the driven variable keeps its value.
void stop_cell_tween(TweenKind kind, uint8_t cell);

float ease_out_sine(float t);
float ease_in_sine(float t);
float ease_bump(float t);
