// random.cpp - MT19937 with the game's seeding rule, and the two helpers
// every random choice goes through.
#include "board/random.h"

#include <cmath>

MtRandom shared_random = {{0}, -1};

namespace {

const int MT_M = 397;
const uint32_t MT_MATRIX = 0x9908B0DFu;
const uint32_t MT_UPPER = 0x80000000u;
const uint32_t MT_LOWER = 0x7FFFFFFFu;

void regenerate_state(MtRandom* g) {
    // In-place form of the standard recurrence: words past N - M read
    // already regenerated words, exactly like the three-loop version.
    for (int k = 0; k < MT_STATE_SIZE; k++) {
        uint32_t y = (g->state[k] & MT_UPPER) | (g->state[(k + 1) % MT_STATE_SIZE] & MT_LOWER);
        g->state[k] = g->state[(k + MT_M) % MT_STATE_SIZE] ^ (y >> 1) ^ ((y & 1u) ? MT_MATRIX : 0u);
    }
    g->index = 0;
}

}  // namespace

void seed_random(MtRandom* g, uint32_t seed) {
    g->state[0] = seed;
    for (int i = 1; i < MT_STATE_SIZE; i++) g->state[i] = g->state[i - 1] * 6069u;
    g->index = MT_STATE_SIZE;
}

float random_unit(MtRandom* g) {
    if (g->index < 0 || g->index > MT_STATE_SIZE) seed_random(g, 4357);
    if (g->index == MT_STATE_SIZE) regenerate_state(g);
    uint32_t y = g->state[g->index++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return (float)((double)y / 4294967295.0);
}

int random_upto(MtRandom* g, int n) {
    // Float product, as the value itself is a float; roundf rounds halves
    // away from zero.
    return (int)roundf(random_unit(g) * (float)n);
}

void pool_shuffle(MtRandom* g, uint8_t* pool, int m) {
    for (int j = 0; j < m; j++) {
        int x = random_upto(g, m - 1 - j);
        if (x != 0) {
            uint8_t t = pool[j];
            pool[j] = pool[j + x];
            pool[j + x] = t;
        }
    }
}
