// random.h - the game's own Mersenne-Twister generator.
//
// Layouts must come out identical on every machine and in every build, so
// the game carries its own MT19937 instead of relying on the C library.
// Seeding is the game's own (multiplier 6069, no index term); output is a
// float in [0, 1] from which every random choice is derived by rounding.
//
// Two generators exist: shared_random, seeded from the calendar time at
// start-up (shuffles, Pairs Countdown boards, animation timings), and a
// local one that level generation seeds per level.
#pragma once

#include <cstdint>

enum { MT_STATE_SIZE = 624 };

struct MtRandom {
    uint32_t state[MT_STATE_SIZE];
    int32_t index;  // next state word; 624 = regenerate first; outside 0..624 = never seeded
};

extern MtRandom shared_random;

void seed_random(MtRandom* g, uint32_t seed);
// A float in [0, 1], both ends possible. A generator whose index is out of
// range seeds itself with 4357 first.
float random_unit(MtRandom* g);
// round(random_unit * n), halves away from zero: 0..n with the two ends
// drawn half as often as the inner values.
int random_upto(MtRandom* g, int n);
// In-place shuffle of m cell indices driven by random_upto.
void pool_shuffle(MtRandom* g, uint8_t* pool, int m);
