// level_tool.cpp - level-tool: prints, solves and designs levels from the
// command line, with the game's own generator and connection rule.
//
//   level-tool LEVEL COUNTS [--offsets FILE] [--seed S]
//       the layout of LEVEL, one line per row (frame included)
//   level-tool solve LEVEL COUNTS [--offsets FILE] [--seed S] [--games N]
//       whether the layout can be cleared, and one clearing order
//   level-tool design COUNTS --out FILE [--last LEVEL]
//       the level seed offset table that makes every regular and Time
//       Challenge level clearable
//
// COUNTS is --counts N1,N2,... (pictures per tile set) or --counts-from DIR
// (an images directory holding tiles/count and tiles/NN/count).
// Bad arguments exit with status 2 and a message on stderr.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/board.h"
#include "board/random.h"
#include "board/solver.h"
#include "platform/platform.h"

namespace {

enum Command { PRINT, SOLVE, DESIGN };

struct Options {
    Command command = PRINT;
    long level = 0;
    bool have_counts = false;
    const char* offsets_file = nullptr;
    const char* out_file = nullptr;
    unsigned long seed = 1;
    long games = 0;
    long last_level = MAX_LEVEL;
};

int fail(const char* message, const char* detail = "") {
    fprintf(stderr, "level-tool: %s%s\n", message, detail);
    fprintf(
        stderr,
        "usage: level-tool LEVEL (--counts N1,N2,...|--counts-from DIR) [--offsets FILE] "
        "[--seed S]\n"
        "       level-tool solve LEVEL (--counts ...|--counts-from DIR) [--offsets FILE] "
        "[--seed S] [--games N]\n"
        "       level-tool design (--counts ...|--counts-from DIR) --out FILE [--last LEVEL]\n");
    return 2;
}

bool parse_number(const char* text, long low, long high, long* out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    long value = strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) return false;
    *out = value;
    return true;
}

bool parse_counts(const char* text) {
    tile_set_count = 0;
    memset(tile_counts, 0, sizeof tile_counts);
    const char* p = text;
    for (;;) {
        char item[16];
        size_t n = strcspn(p, ",");
        if (n == 0 || n >= sizeof item || tile_set_count == MAX_TILE_SETS) return false;
        memcpy(item, p, n);
        item[n] = '\0';
        long value;
        if (!parse_number(item, 1, 255, &value)) return false;
        tile_counts[tile_set_count++] = (uint8_t)value;
        if (p[n] == '\0') return true;
        p += n + 1;
    }
}

bool counts_from_dir(const char* dir) {
    load_tile_set_counts(dir);
    if (tile_set_count == 0) return false;
    for (int s = 0; s < tile_set_count; s++)
        if (tile_counts[s] == 0) return false;
    return true;
}

void print_board(const Board& b) {
    for (int r = 0; r < b.height; r++) {
        for (int c = 0; c < b.width; c++) printf(c ? " %d" : "%d", b.cells[r * b.width + c]);
        printf("\n");
    }
}

int run_print(const Options& o) {
    if (!make_level_layout(&board, (uint16_t)o.level)) {
        fprintf(stderr, "level-tool: level %ld could not be dealt\n", o.level);
        return 1;
    }
    print_board(board);
    return 0;
}

int run_solve(const Options& o) {
    if (!make_level_layout(&board, (uint16_t)o.level)) {
        fprintf(stderr, "level-tool: level %ld could not be dealt\n", o.level);
        return 1;
    }
    print_board(board);
    Solution solution;
    SolveResult result = solve_board(board, &solution);
    const char* verdict = result == SOLVE_CLEARED ? "solvable"
                          : result == SOLVE_STUCK ? "not solvable"
                                                  : "undecided";
    printf("level %ld: %s (%llu search nodes)\n", o.level, verdict,
           (unsigned long long)solution.nodes);
    printf("open moves at start: %d\n", count_open_moves(board));
    if (o.games > 0) {
        MtRandom g;
        seed_random(&g, (uint32_t)o.seed);
        printf("random play dead ends: %.1f%% of %ld games\n",
               100.0 * dead_end_share(board, &g, (int)o.games), o.games);
    }
    if (result == SOLVE_CLEARED) {
        printf("order:");
        for (int k = 0; k < solution.move_count; k++)
            printf(" %d-%d", solution.moves[k].first, solution.moves[k].second);
        printf("\n");
    }
    return result == SOLVE_CLEARED ? 0 : 1;
}

bool write_offsets(const char* path, const uint8_t* offsets) {
    char temporary[1024];
    snprintf(temporary, sizeof temporary, "%s.tmp", path);
    FILE* file = fopen(temporary, "wb");
    if (!file) return false;
    bool ok = true;
    for (int key = 0; key < LEVEL_SEED_OFFSET_COUNT; key++) {
        if (offsets[key] == 0) continue;
        uint8_t record[3] = {(uint8_t)(key & 0xFF), (uint8_t)(key >> 8), offsets[key]};
        ok &= fwrite(record, 1, 3, file) == 3;
    }
    ok &= fclose(file) == 0;
    if (ok) ok = platform_replace_file(temporary, path);
    if (!ok) remove(temporary);
    return ok;
}

int run_design(const Options& o) {
    static uint8_t offsets[LEVEL_SEED_OFFSET_COUNT];
    static DesignReport report;
    double start = platform_now();
    design_seed_offsets(offsets, &report, (uint16_t)o.last_level);
    double seconds = platform_now() - start;
    if (!write_offsets(o.out_file, offsets)) {
        fprintf(stderr, "level-tool: cannot write %s\n", o.out_file);
        return 1;
    }
    int changed = 0;
    for (int k = 0; k < LEVEL_SEED_OFFSET_COUNT; k++) changed += offsets[k] != 0;
    fprintf(stderr,
            "level-tool design: %d levels, %d solvable before, %d after, %d offsets written, "
            "%llu layouts solved, %d undecided, %.2f s; unfixable:",
            report.levels, report.solvable_before, report.solvable_after, changed,
            (unsigned long long)report.layouts_solved, report.undecided, seconds);
    if (report.unfixable_count == 0) fprintf(stderr, " none");
    for (int k = 0; k < report.unfixable_count; k++) fprintf(stderr, " %d", report.unfixable[k]);
    fprintf(stderr, "\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    platform_start_clock();
    Options o;
    int at = 1;
    if (at < argc && strcmp(argv[at], "solve") == 0) {
        o.command = SOLVE;
        at++;
    } else if (at < argc && strcmp(argv[at], "design") == 0) {
        o.command = DESIGN;
        at++;
    }
    if (o.command != DESIGN) {
        if (at >= argc) return fail("missing LEVEL");
        if (!parse_number(argv[at], 1, MAX_LEVEL, &o.level))
            return fail("LEVEL must be a number from 1 to 9999: ", argv[at]);
        at++;
    }
    for (; at < argc; at++) {
        const char* arg = argv[at];
        const char* value = at + 1 < argc ? argv[at + 1] : nullptr;
        if (strcmp(arg, "--counts") == 0 || strcmp(arg, "--counts-from") == 0 ||
            strcmp(arg, "--offsets") == 0 || strcmp(arg, "--seed") == 0 ||
            strcmp(arg, "--games") == 0 || strcmp(arg, "--out") == 0 ||
            strcmp(arg, "--last") == 0) {
            if (!value) return fail("missing value after ", arg);
            at++;
        } else {
            return fail("unknown argument: ", arg);
        }
        if (strcmp(arg, "--counts") == 0) {
            if (!parse_counts(value))
                return fail("--counts wants 1 to 64 picture counts from 1 to 255: ", value);
            o.have_counts = true;
        } else if (strcmp(arg, "--counts-from") == 0) {
            if (!counts_from_dir(value))
                return fail("no usable tiles/count and tiles/NN/count files under ", value);
            o.have_counts = true;
        } else if (strcmp(arg, "--offsets") == 0) {
            o.offsets_file = value;
        } else if (strcmp(arg, "--seed") == 0) {
            long seed;
            if (!parse_number(value, 0, 4294967295L, &seed)) return fail("bad --seed: ", value);
            o.seed = (unsigned long)seed;
        } else if (strcmp(arg, "--games") == 0) {
            if (!parse_number(value, 1, 10000000, &o.games)) return fail("bad --games: ", value);
        } else if (strcmp(arg, "--out") == 0) {
            o.out_file = value;
        } else if (strcmp(arg, "--last") == 0) {
            if (!parse_number(value, 1, MAX_LEVEL, &o.last_level))
                return fail("bad --last: ", value);
        }
    }
    if (!o.have_counts) return fail("picture counts are needed (--counts or --counts-from)");
    if (o.command == DESIGN && !o.out_file) return fail("design needs --out FILE");
    if (o.command != DESIGN && o.out_file) return fail("--out only goes with design");

    clear_level_seed_offsets();
    if (o.offsets_file && !load_level_seed_offsets(o.offsets_file))
        return fail("cannot read offsets file ", o.offsets_file);
    seed_random(&shared_random, (uint32_t)o.seed);

    switch (o.command) {
        case PRINT:
            return run_print(o);
        case SOLVE:
            return run_solve(o);
        case DESIGN:
            return run_design(o);
    }
    return 2;
}
