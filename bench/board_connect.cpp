// board_connect.cpp - cost of the connection rule and of the move search on
// the largest boards.
#include <benchmark/benchmark.h>

#include <cstring>

#include "board/board.h"
#include "board/random.h"
#include "board/shuffle.h"
#include "../tests/support/shipped_tiles.h"

namespace {

// A full 8 x 8 block of 32 different pairs rearranged until no pair
// connects: the move search has to try every pair.
Board jammed_board() {
    Board b = {};
    b.width = b.height = 10;
    int k = 0;
    for (int r = 1; r <= 8; r++)
        for (int c = 1; c <= 8; c++) b.cells[r * 10 + c] = (uint8_t)(1 + (k++ % 32));
    MtRandom g;
    seed_random(&g, 1);
    uint8_t permutation[BOARD_MAX_CELLS];
    ConnectionPath path;
    while (board_has_move(b, &path)) permute_cells(&b, &g, permutation);
    return b;
}

// Two tiles far apart, the second walled in on every side: every straight,
// corner and detour is tried and each runs far before it is blocked.
Board walled_in_pair() {
    Board b = {};
    b.width = b.height = 10;
    b.cells[1 * 10 + 1] = 1;
    b.cells[8 * 10 + 8] = 1;
    b.cells[7 * 10 + 8] = b.cells[8 * 10 + 7] = b.cells[9 * 10 + 8] = b.cells[8 * 10 + 9] = 2;
    return b;
}

}  // namespace

static void BM_AnyMoveTimeChallenge(benchmark::State& state) {
    use_shipped_tile_counts();
    clear_level_seed_offsets();
    Board b;
    make_level_layout(&b, 10);
    ConnectionPath path;
    for (auto _ : state) benchmark::DoNotOptimize(board_has_move(b, &path));
}
BENCHMARK(BM_AnyMoveTimeChallenge);

static void BM_AnyMoveJammedFullBoard(benchmark::State& state) {
    Board b = jammed_board();
    ConnectionPath path;
    for (auto _ : state) benchmark::DoNotOptimize(board_has_move(b, &path));
}
BENCHMARK(BM_AnyMoveJammedFullBoard);

static void BM_FindConnectionWorstCase(benchmark::State& state) {
    Board b = walled_in_pair();
    ConnectionPath path;
    for (auto _ : state) benchmark::DoNotOptimize(connect_cells(b, 11, 88, &path));
}
BENCHMARK(BM_FindConnectionWorstCase);

static void BM_FindConnectionTwoTurns(benchmark::State& state) {
    // Top-row pair separated by a tile: found through the frame row.
    Board b = {};
    b.width = b.height = 10;
    for (int c = 1; c <= 8; c++) b.cells[10 + c] = (uint8_t)(c == 1 || c == 8 ? 1 : 2 + c);
    ConnectionPath path;
    for (auto _ : state) benchmark::DoNotOptimize(connect_cells(b, 11, 18, &path));
}
BENCHMARK(BM_FindConnectionTwoTurns);

BENCHMARK_MAIN();
