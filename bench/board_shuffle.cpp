// board_shuffle.cpp - one whole shuffle of the Time Challenge board.
#include <benchmark/benchmark.h>

#include "board/board.h"
#include "board/random.h"
#include "board/shuffle.h"
#include "screen/shuffle_flow.h"
#include "../tests/support/shipped_tiles.h"

static void BM_ShuffleTimeChallengeBoard(benchmark::State& state) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    seed_random(&shared_random, 1);
    Board layout;
    make_level_layout(&layout, 10);
    int passes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        board = layout;
        state.ResumeTiming();
        passes += shuffle_board();
    }
    state.counters["passes"] = benchmark::Counter((double)passes / (double)state.iterations());
}
BENCHMARK(BM_ShuffleTimeChallengeBoard);

static void BM_PermuteTimeChallengeBoard(benchmark::State& state) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    seed_random(&shared_random, 1);
    make_level_layout(&board, 10);
    for (auto _ : state) benchmark::DoNotOptimize(permute_board());
}
BENCHMARK(BM_PermuteTimeChallengeBoard);

BENCHMARK_MAIN();
