// tween.cpp - the tween pool, its running list and the easing curves.
#include "tween/tween.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

TweenSlot tween_pool[TWEEN_POOL_SIZE];
TweenSlot* active_tweens;
uint8_t active_tween_count;

static uint32_t next_serial = 1;

static void free_slot(TweenSlot* slot) {
    memset(slot, 0, sizeof *slot);
}

// Removes a running slot from the list and frees it.
static void unlink_and_free(TweenSlot* slot) {
    for (TweenSlot** link = &active_tweens; *link; link = &(*link)->next) {
        if (*link == slot) {
            *link = slot->next;
            active_tween_count--;
            break;
        }
    }
    free_slot(slot);
}

static void write_target(TweenSlot* slot, float value) {
    if (slot->shared_target) slot->shared_target->store(value, std::memory_order_relaxed);
    else if (slot->target) *slot->target = value;
}

static float end_value(const TweenSlot* slot) {
    float eased = slot->ease ? slot->ease(1.0f) : 1.0f;
    // An ease that reaches exactly 1 lands exactly on the end value, which
    // from + (to - from) * 1 need not be in floats.
    return eased == 1.0f ? slot->to : slot->from + (slot->to - slot->from) * eased;
}

static void fill_slot(TweenSlot* slot, const char* name, float from, float to, float duration,
                      EaseFn ease, float delay, bool hold, TweenDoneFn on_done, uint8_t user) {
    free_slot(slot);
    snprintf(slot->name, sizeof slot->name, "%s", name ? name : "");
    slot->from = from;
    slot->to = to;
    slot->duration = duration;
    slot->delay = delay;
    slot->ease = ease;
    slot->on_done = on_done;
    slot->hold = hold ? 1 : 0;
    slot->user = user;
}

static TweenSlot* free_pool_slot() {
    for (TweenSlot& candidate : tween_pool)
        if (!candidate.in_use) return &candidate;
    return nullptr;
}

static void link_slot(TweenSlot* slot) {
    slot->in_use = 1;
    slot->serial = next_serial++;
    if (next_serial == 0) next_serial = 1;
    slot->next = active_tweens;
    active_tweens = slot;
    active_tween_count++;
}

// With every slot taken the animation is skipped, not its outcome: the
// variable jumps to where the tween would end and on_done runs at once (on
// a slot outside the pool), so a panel still shows and a popup still gets
// ready. Returns null then.
static TweenSlot* start_slot(TweenSlot* slot) {
    TweenSlot* pooled = free_pool_slot();
    if (!pooled) {
        fprintf(stderr, "tween: all %d slots busy, \"%s\" jumps to its end\n", TWEEN_POOL_SIZE,
                slot->name);
        write_target(slot, end_value(slot));
        if (slot->on_done) slot->on_done(slot);
        return nullptr;
    }
    *pooled = *slot;
    link_slot(pooled);
    return pooled;
}

TweenSlot* start_tween(const char* name, float* target, float from, float to, float duration,
                       EaseFn ease, float delay, bool hold, TweenDoneFn on_done, uint8_t user) {
    TweenSlot slot;
    fill_slot(&slot, name, from, to, duration, ease, delay, hold, on_done, user);
    slot.target = target;
    return start_slot(&slot);
}

TweenSlot* start_tween(const char* name, std::atomic<float>* target, float from, float to,
                       float duration, EaseFn ease, float delay, bool hold,
                       TweenDoneFn on_done, uint8_t user) {
    TweenSlot slot;
    fill_slot(&slot, name, from, to, duration, ease, delay, hold, on_done, user);
    slot.shared_target = target;
    return start_slot(&slot);
}

TweenSlot* find_tween(const char* name) {
    for (TweenSlot* slot = active_tweens; slot; slot = slot->next) {
        if (strcmp(slot->name, name) == 0) return slot;
    }
    return nullptr;
}

void stop_tween(const char* format, ...) {
    char name[TWEEN_NAME_SIZE];
    va_list args;
    va_start(args, format);
    vsnprintf(name, sizeof name, format, args);
    va_end(args);
    TweenSlot* slot = find_tween(name);
    if (slot) unlink_and_free(slot);
}

void stop_tweens_with_prefix(const char* prefix) {
    size_t length = prefix ? strlen(prefix) : 0;
    TweenSlot** link = &active_tweens;
    while (*link) {
        TweenSlot* slot = *link;
        if (!prefix || strncmp(slot->name, prefix, length) == 0) {
            *link = slot->next;
            active_tween_count--;
            free_slot(slot);
        } else {
            link = &slot->next;
        }
    }
}

float tween_target_value(const TweenSlot* slot) {
    if (slot->shared_target) return slot->shared_target->load(std::memory_order_relaxed);
    if (slot->target) return *slot->target;
    return 0.0f;
}

// Advances one slot; returns after its on_done (if it ended).
static void advance(TweenSlot* slot, float dt) {
    if (slot->delay > 0.0f) {
        slot->delay -= dt;
        return;
    }
    slot->elapsed += dt;
    // A zero (or negative) duration ends at once instead of dividing by 0.
    float t = slot->duration > 0.0f ? slot->elapsed / slot->duration : 1.0f;
    if (t < 1.0f) {
        float eased = slot->ease ? slot->ease(t) : t;
        write_target(slot, eased == 1.0f ? slot->to : slot->from + (slot->to - slot->from) * eased);
        return;
    }
    write_target(slot, end_value(slot));

    uint8_t hold = slot->hold;
    uint32_t serial = slot->serial;
    if (slot->on_done) slot->on_done(slot);
    // on_done may have stopped this very slot (and a new tween may even
    // have taken it): then it is no longer ours to free.
    if (!hold && slot->in_use && slot->serial == serial) unlink_and_free(slot);
}

void update_tweens(float dt) {
    // Mark what runs now, so that tweens started by on_done handlers wait
    // for the next frame and stopped ones are never visited.
    for (TweenSlot* slot = active_tweens; slot; slot = slot->next) slot->walk_pending = 1;

    TweenSlot* slot = active_tweens;
    while (slot) {
        TweenSlot* next = slot->next;
        slot->walk_pending = 0;
        advance(slot, dt);
        // The saved next slot is still valid unless on_done stopped it;
        // otherwise pick up the first unvisited slot from the head.
        if (!next || !next->walk_pending) {
            next = active_tweens;
            while (next && !next->walk_pending) next = next->next;
        }
        slot = next;
    }
}

void update_shared_tweens(float dt) {
    TweenSlot* slot = active_tweens;
    while (slot) {
        TweenSlot* next = slot->next;  // advancing may free the slot
        if (slot->shared_target) advance(slot, dt);
        slot = next;
    }
}

void clear_tweens() {
    memset(tween_pool, 0, sizeof tween_pool);
    active_tweens = nullptr;
    active_tween_count = 0;
}

void cell_tween_name(char* out, size_t capacity, TweenKind kind, uint8_t cell) {
    static const char* const suffix[] = {"bounce", "appear", "shuffle_x", "shuffle_y"};
    snprintf(out, capacity, "tile%d_%s", cell, suffix[kind]);
}

TweenSlot* start_cell_tween(TweenKind kind, uint8_t cell, float* target, float from, float to,
                            float duration, EaseFn ease, bool hold, TweenDoneFn on_done) {
    char name[32];
    cell_tween_name(name, sizeof name, kind, cell);
    return start_tween(name, target, from, to, duration, ease, 0.0f, hold, on_done, cell);
}

TweenSlot* find_cell_tween(TweenKind kind, uint8_t cell) {
    char name[32];
    cell_tween_name(name, sizeof name, kind, cell);
    return find_tween(name);
}

void stop_cell_tween(TweenKind kind, uint8_t cell) {
    if (TweenSlot* slot = find_cell_tween(kind, cell)) unlink_and_free(slot);
}

static const float HALF_PI = 1.57079632679489661923f;
static const float PI = 3.14159265358979323846f;

float ease_out_sine(float t) {
    return sinf(t * HALF_PI);
}

float ease_in_sine(float t) {
    return 1.0f - cosf(t * HALF_PI);
}

float ease_bump(float t) {
    if (t >= 1.0f) return 0.0f;  // exactly back where it started
    if (t < 0.5f) return sinf(PI * t);
    return cosf(PI * (t - 0.5f));
}
