// board_solver.cpp - cost of solving level layouts: the median and the
// slowest level of the shipped tables, and a whole pass over all levels.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "board/board.h"
#include "board/solver.h"
#include "../tests/support/shipped_tiles.h"

namespace {

struct Timed {
    double seconds;
    uint64_t nodes;
    int level;
};

// Times the solve of every regular and Time Challenge level (offsets 0),
// the best of three runs to damp the noise of such short runs.
std::vector<Timed> time_every_level() {
    std::vector<Timed> times;
    Board b;
    Solution s;
    for (int level = 1; level <= MAX_LEVEL; level++) {
        if (level_mode((uint16_t)level) == LEVEL_PAIRS_COUNTDOWN) continue;
        make_level_layout(&b, (uint16_t)level);
        double best = 1e9;
        for (int run = 0; run < 3; run++) {
            auto start = std::chrono::steady_clock::now();
            solve_board(b, &s);
            std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
        }
        times.push_back({best, s.nodes, level});
    }
    // Most layouts need a single node; order by search size, then time.
    std::sort(times.begin(), times.end(), [](const Timed& a, const Timed& b) {
        return a.nodes != b.nodes ? a.nodes < b.nodes : a.seconds < b.seconds;
    });
    return times;
}

void solve_level(benchmark::State& state, int level) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    Board b;
    make_level_layout(&b, (uint16_t)level);
    Solution s;
    for (auto _ : state) benchmark::DoNotOptimize(solve_board(b, &s));
    state.counters["level"] = level;
    state.counters["nodes"] = (double)s.nodes;
    state.counters["cleared"] = s.result == SOLVE_CLEARED;
}

void solve_all_levels(benchmark::State& state) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    Board b;
    Solution s;
    for (auto _ : state) {
        for (int level = 1; level <= MAX_LEVEL; level++) {
            if (level_mode((uint16_t)level) == LEVEL_PAIRS_COUNTDOWN) continue;
            make_level_layout(&b, (uint16_t)level);
            benchmark::DoNotOptimize(solve_board(b, &s));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    std::vector<Timed> times = time_every_level();
    int median = times[times.size() / 2].level, slowest = times.back().level;
    benchmark::RegisterBenchmark("BM_SolveMedianLevel", solve_level, median);
    benchmark::RegisterBenchmark("BM_SolveSlowestLevel", solve_level, slowest);
    benchmark::RegisterBenchmark("BM_SolveAllLevels", solve_all_levels)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
