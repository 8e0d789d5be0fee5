// random_test.cpp - the game's Mersenne Twister against the standard
// library's, its seeding rule, and the rounding helpers built on it.
#include "board/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Fills the state the way the textbook generator seeds itself, so that the
// standard library's engine can serve as the reference.
void seed_like_textbook(MtRandom* g, uint32_t seed) {
    g->state[0] = seed;
    for (uint32_t i = 1; i < MT_STATE_SIZE; i++)
        g->state[i] = 1812433253u * (g->state[i - 1] ^ (g->state[i - 1] >> 30)) + i;
    g->index = MT_STATE_SIZE;
}

// The textbook MT19937 with the game's own seeding rule, written out
// independently (three-loop regeneration).
struct ReferenceMt {
    uint32_t mt[624];
    int mti;
    explicit ReferenceMt(uint32_t seed) {
        mt[0] = seed;
        for (int i = 1; i < 624; i++) mt[i] = mt[i - 1] * 6069u;
        mti = 624;
    }
    uint32_t next() {
        static const uint32_t mag01[2] = {0u, 0x9908B0DFu};
        if (mti >= 624) {
            int kk = 0;
            uint32_t y;
            for (; kk < 624 - 397; kk++) {
                y = (mt[kk] & 0x80000000u) | (mt[kk + 1] & 0x7FFFFFFFu);
                mt[kk] = mt[kk + 397] ^ (y >> 1) ^ mag01[y & 1u];
            }
            for (; kk < 623; kk++) {
                y = (mt[kk] & 0x80000000u) | (mt[kk + 1] & 0x7FFFFFFFu);
                mt[kk] = mt[kk + (397 - 624)] ^ (y >> 1) ^ mag01[y & 1u];
            }
            y = (mt[623] & 0x80000000u) | (mt[0] & 0x7FFFFFFFu);
            mt[623] = mt[396] ^ (y >> 1) ^ mag01[y & 1u];
            mti = 0;
        }
        uint32_t y = mt[mti++];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        y ^= y >> 18;
        return y;
    }
};

float as_unit(uint32_t y) {
    return (float)((double)y / 4294967295.0);
}

}  // namespace

TEST(RandomGenerator, MatchesStandardEngineFromTheSameState) {
    // 2000 draws cross three regenerations of the state.
    MtRandom g;
    seed_like_textbook(&g, 5489u);
    std::mt19937 reference;  // default seed 5489
    for (int k = 0; k < 2000; k++) ASSERT_EQ(random_unit(&g), as_unit(reference())) << k;
}

TEST(RandomGenerator, SeedsWithMultiplier6069AndNoIndexTerm) {
    MtRandom g;
    seed_random(&g, 12345u);
    EXPECT_EQ(g.index, 624);
    EXPECT_EQ(g.state[0], 12345u);
    EXPECT_EQ(g.state[1], 12345u * 6069u);
    EXPECT_EQ(g.state[623], g.state[622] * 6069u);

    for (uint32_t seed : {1u, 100u, 4357u, 999999u}) {
        seed_random(&g, seed);
        ReferenceMt reference(seed);
        for (int k = 0; k < 1500; k++) ASSERT_EQ(random_unit(&g), as_unit(reference.next()));
    }
}

TEST(RandomGenerator, UnseededGeneratorSeedsItselfWith4357) {
    for (int32_t bad_index : {-1, -624, 625, 100000}) {
        MtRandom g = {};
        g.index = bad_index;
        ReferenceMt reference(4357u);
        for (int k = 0; k < 5; k++) EXPECT_EQ(random_unit(&g), as_unit(reference.next()));
    }
}

TEST(RandomGenerator, UnitValuesStayWithinZeroAndOne) {
    MtRandom g;
    seed_random(&g, 77u);
    for (int k = 0; k < 100000; k++) {
        float u = random_unit(&g);
        ASSERT_GE(u, 0.0f);
        ASSERT_LE(u, 1.0f);
    }
}

TEST(RandomUpto, EndsComeUpHalfAsOftenAsInnerValues) {
    MtRandom g;
    seed_random(&g, 2024u);
    const int n = 4, draws = 200000;
    int seen[n + 1] = {};
    for (int k = 0; k < draws; k++) {
        int v = random_upto(&g, n);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, n);
        seen[v]++;
    }
    // Inner values each 1/n, the ends 1/(2n).
    for (int v = 1; v < n; v++) EXPECT_NEAR(seen[v] / (double)draws, 0.25, 0.01) << v;
    EXPECT_NEAR(seen[0] / (double)draws, 0.125, 0.01);
    EXPECT_NEAR(seen[n] / (double)draws, 0.125, 0.01);
}

TEST(RandomUpto, RoundsFromTheUnitValueAndHandlesZero) {
    MtRandom g, twin;
    seed_random(&g, 31u);
    seed_random(&twin, 31u);
    for (int k = 0; k < 1000; k++) {
        float u = random_unit(&twin);
        // Non-negative, so half away from zero is half up.
        int expected = (int)std::floor((double)(u * 7.0f) + 0.5);
        ASSERT_EQ(random_upto(&g, 7), expected);
    }
    for (int k = 0; k < 100; k++) EXPECT_EQ(random_upto(&g, 0), 0);
}

TEST(PoolShuffle, FollowsTheSwapRuleDrawByDraw) {
    for (uint32_t seed : {1u, 700u, 123456u}) {
        MtRandom g, twin;
        seed_random(&g, seed);
        seed_random(&twin, seed);
        uint8_t pool[20], expected[20];
        for (int k = 0; k < 20; k++) pool[k] = expected[k] = (uint8_t)(k * 3);
        pool_shuffle(&g, pool, 20);
        for (int j = 0; j < 20; j++) {
            int x = random_upto(&twin, 19 - j);
            std::swap(expected[j], expected[j + x]);
        }
        for (int k = 0; k < 20; k++) EXPECT_EQ(pool[k], expected[k]) << "seed " << seed;
        // Both consumed the same number of draws.
        EXPECT_EQ(random_unit(&g), random_unit(&twin));
    }
}

TEST(PoolShuffle, KeepsEveryEntryAndMovesThem) {
    MtRandom g;
    seed_random(&g, 99u);
    uint8_t pool[50];
    for (int k = 0; k < 50; k++) pool[k] = (uint8_t)k;
    pool_shuffle(&g, pool, 50);
    uint8_t sorted[50];
    std::copy(pool, pool + 50, sorted);
    std::sort(sorted, sorted + 50);
    int in_place = 0;
    for (int k = 0; k < 50; k++) {
        EXPECT_EQ(sorted[k], k);
        in_place += pool[k] == k;
    }
    EXPECT_LT(in_place, 10);

    uint8_t one = 42;
    pool_shuffle(&g, &one, 1);
    EXPECT_EQ(one, 42);
    pool_shuffle(&g, nullptr, 0);  // nothing to shuffle, nothing touched
}
