// board_design.cpp - the whole design of the level seed offset table.
#include <benchmark/benchmark.h>

#include "board/board.h"
#include "board/solver.h"
#include "../tests/support/shipped_tiles.h"

static void BM_DesignSeedOffsets(benchmark::State& state) {
    use_shipped_tile_counts();
    static uint8_t offsets[LEVEL_SEED_OFFSET_COUNT];
    static DesignReport report;
    for (auto _ : state) design_seed_offsets(offsets, &report);
    state.counters["layouts"] = (double)report.layouts_solved;
    state.counters["fixed"] = report.solvable_after - report.solvable_before;
    state.counters["unfixable"] = report.unfixable_count;
}
BENCHMARK(BM_DesignSeedOffsets)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
