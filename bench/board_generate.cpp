// board_generate.cpp - cost of dealing level layouts.
#include <benchmark/benchmark.h>

#include "board/board.h"
#include "board/random.h"
#include "../tests/support/shipped_tiles.h"

static void BM_GenerateAllLevels(benchmark::State& state) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    seed_random(&shared_random, 1);
    Board b;
    for (auto _ : state) {
        for (int level = 1; level <= MAX_LEVEL; level++) make_level_layout(&b, (uint16_t)level);
        benchmark::DoNotOptimize(b.cells);
    }
    state.SetItemsProcessed(state.iterations() * MAX_LEVEL);
}
BENCHMARK(BM_GenerateAllLevels)->Unit(benchmark::kMillisecond);

static void BM_GenerateLevel(benchmark::State& state) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    seed_random(&shared_random, 1);
    Board b;
    for (auto _ : state) {
        make_level_layout(&b, (uint16_t)state.range(0));
        benchmark::DoNotOptimize(b.cells);
    }
}
// The largest regular board, a Time Challenge and a Pairs Countdown.
BENCHMARK(BM_GenerateLevel)->Arg(8)->Arg(10)->Arg(20);

BENCHMARK_MAIN();
