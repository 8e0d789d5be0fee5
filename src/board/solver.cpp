// solver.cpp - exact search for a clearing order, random play statistics
// and the design of the level seed offset table.
//
// A search state is the set of tiles still on the board, one bit per tile
// (a board holds at most 8 x 8 = 64 tiles inside its frame). States proven
// to be dead ends go into a fixed open-addressing table so that the many
// orders leading to the same board are explored once.
#include "board/solver.h"

#include <cstring>

namespace {

// --- Dead-end table ------------------------------------------------------------

const int TABLE_BITS = 20;
const uint32_t TABLE_SIZE = 1u << TABLE_BITS;
// Past this fill the table stops growing; the search stays exact, only
// slower, because forgetting a dead end never changes an answer.
const uint32_t TABLE_FILL_LIMIT = TABLE_SIZE / 4 * 3;

struct DeadEndTable {
    uint64_t keys[TABLE_SIZE];
    uint32_t stamps[TABLE_SIZE];  // a slot is in use when its stamp is the generation
    uint32_t generation;
    uint32_t used;
};

DeadEndTable dead_ends;

void reset_dead_ends() {
    dead_ends.used = 0;
    if (++dead_ends.generation == 0) {
        memset(dead_ends.stamps, 0, sizeof dead_ends.stamps);
        dead_ends.generation = 1;
    }
}

uint32_t slot_of(uint64_t key) {
    return (uint32_t)((key * 0x9E3779B97F4A7C15ull) >> (64 - TABLE_BITS));
}

bool is_dead_end(uint64_t key) {
    for (uint32_t slot = slot_of(key);; slot = (slot + 1) & (TABLE_SIZE - 1)) {
        if (dead_ends.stamps[slot] != dead_ends.generation) return false;
        if (dead_ends.keys[slot] == key) return true;
    }
}

void remember_dead_end(uint64_t key) {
    if (dead_ends.used >= TABLE_FILL_LIMIT) return;
    uint32_t slot = slot_of(key);
    while (dead_ends.stamps[slot] == dead_ends.generation) {
        if (dead_ends.keys[slot] == key) return;
        slot = (slot + 1) & (TABLE_SIZE - 1);
    }
    dead_ends.stamps[slot] = dead_ends.generation;
    dead_ends.keys[slot] = key;
    dead_ends.used++;
}

// --- Search ---------------------------------------------------------------------

const int MAX_TILES = 64;

struct Search {
    Board work;                // the board with the current state's tiles
    uint8_t cell[MAX_TILES];   // tile bit -> cell index
    uint8_t value[MAX_TILES];  // tile bit -> kind
    uint64_t kind_mask[MAX_TILES];
    int kinds;
    SolveMove path[SOLVE_MAX_MOVES];
    uint8_t path_bits[SOLVE_MAX_MOVES][2];
    int depth;
    uint64_t nodes, node_limit;
    bool gave_up;
};

int lowest_bit(uint64_t m) {
    return __builtin_ctzll(m);
}
int bit_count(uint64_t m) {
    return __builtin_popcountll(m);
}

bool connectable(Search& s, int i, int j) {
    ConnectionPath path;
    return connect_cells(s.work, s.cell[i], s.cell[j], &path);
}

void take_pair(Search& s, uint64_t& remaining, int i, int j) {
    s.work.cells[s.cell[i]] = EMPTY_CELL;
    s.work.cells[s.cell[j]] = EMPTY_CELL;
    remaining &= ~((1ull << i) | (1ull << j));
    s.path[s.depth] = {s.cell[i], s.cell[j]};
    s.path_bits[s.depth][0] = (uint8_t)i;
    s.path_bits[s.depth][1] = (uint8_t)j;
    s.depth++;
}

void undo_to(Search& s, uint64_t& remaining, int mark) {
    while (s.depth > mark) {
        s.depth--;
        for (int e = 0; e < 2; e++) {
            int t = s.path_bits[s.depth][e];
            s.work.cells[s.cell[t]] = s.value[t];
            remaining |= 1ull << t;
        }
    }
}

// Four tiles of one kind: clear all of them now if some pairing allows it.
bool clear_four(Search& s, uint64_t& remaining, uint64_t tiles) {
    int t[4];
    for (int k = 0; k < 4; k++) {
        t[k] = lowest_bit(tiles);
        tiles &= tiles - 1;
    }
    static const int pairs[6][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2},
                                    {1, 2, 0, 3}, {1, 3, 0, 2}, {2, 3, 0, 1}};
    for (const auto& p : pairs) {
        if (!connectable(s, t[p[0]], t[p[1]])) continue;
        int mark = s.depth;
        take_pair(s, remaining, t[p[0]], t[p[1]]);
        if (connectable(s, t[p[2]], t[p[3]])) {
            take_pair(s, remaining, t[p[2]], t[p[3]]);
            return true;
        }
        undo_to(s, remaining, mark);
    }
    return false;
}

// Clears whole kinds while any can be cleared: such moves never spoil a
// solution, so they need no branching.
void clear_whole_kinds(Search& s, uint64_t& remaining) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int k = 0; k < s.kinds; k++) {
            uint64_t tiles = remaining & s.kind_mask[k];
            int n = bit_count(tiles);
            if (n == 2) {
                int i = lowest_bit(tiles), j = lowest_bit(tiles & (tiles - 1));
                if (connectable(s, i, j)) {
                    take_pair(s, remaining, i, j);
                    changed = true;
                }
            } else if (n == 4 && clear_four(s, remaining, tiles)) {
                changed = true;
            }
        }
    }
}

bool search(Search& s, uint64_t remaining) {
    if (s.node_limit && s.nodes >= s.node_limit) {
        s.gave_up = true;
        return false;
    }
    s.nodes++;
    int mark = s.depth;
    clear_whole_kinds(s, remaining);
    if (remaining == 0) return true;
    if (is_dead_end(remaining)) {
        undo_to(s, remaining, mark);
        return false;
    }
    // Only kinds with four or more tiles left can still have a move.
    for (int k = 0; k < s.kinds; k++) {
        uint64_t tiles = remaining & s.kind_mask[k];
        if (bit_count(tiles) < 4) continue;
        for (uint64_t a = tiles; a; a &= a - 1) {
            int i = lowest_bit(a);
            for (uint64_t b = a & (a - 1); b; b &= b - 1) {
                int j = lowest_bit(b);
                if (!connectable(s, i, j)) continue;
                int before = s.depth;
                uint64_t next = remaining;
                take_pair(s, next, i, j);
                if (search(s, next)) return true;
                undo_to(s, next, before);
                if (s.gave_up) {
                    undo_to(s, remaining, mark);
                    return false;
                }
            }
        }
    }
    remember_dead_end(remaining);
    undo_to(s, remaining, mark);
    return false;
}

Search the_search;  // large: kept out of the stack

}  // namespace

SolveResult solve_board(const Board& b, Solution* out, uint64_t node_limit) {
    Search& s = the_search;
    memset(out, 0, sizeof *out);
    s.work = b;
    s.kinds = 0;
    s.depth = 0;
    s.nodes = 0;
    s.node_limit = node_limit;
    s.gave_up = false;

    int tiles = 0;
    uint8_t kind_value[MAX_TILES];
    for (int i = 0; i < b.width * b.height; i++) {
        uint8_t v = b.cells[i];
        if (v == EMPTY_CELL) continue;
        if (tiles == MAX_TILES) {
            out->result = SOLVE_GAVE_UP;
            return out->result;
        }
        int k = 0;
        while (k < s.kinds && kind_value[k] != v) k++;
        if (k == s.kinds) {
            kind_value[k] = v;
            s.kind_mask[k] = 0;
            s.kinds++;
        }
        s.cell[tiles] = (uint8_t)i;
        s.value[tiles] = v;
        s.kind_mask[k] |= 1ull << tiles;
        tiles++;
    }
    uint64_t all = tiles == 64 ? ~0ull : (1ull << tiles) - 1;

    for (int k = 0; k < s.kinds; k++)
        if (bit_count(s.kind_mask[k]) % 2 != 0) {
            out->result = SOLVE_STUCK;  // a tile without a partner stays forever
            return out->result;
        }

    reset_dead_ends();
    bool cleared = search(s, all);
    out->nodes = s.nodes;
    if (cleared) {
        out->result = SOLVE_CLEARED;
        out->move_count = (uint8_t)s.depth;
        memcpy(out->moves, s.path, sizeof(SolveMove) * (size_t)s.depth);
    } else {
        out->result = s.gave_up ? SOLVE_GAVE_UP : SOLVE_STUCK;
    }
    return out->result;
}

int count_open_moves(const Board& b) {
    ConnectionPath path;
    int n = b.width * b.height, moves = 0;
    for (int a = 0; a < n; a++) {
        if (b.cells[a] == EMPTY_CELL) continue;
        for (int c = a + 1; c < n; c++)
            if (b.cells[c] == b.cells[a] && connect_cells(b, (uint8_t)a, (uint8_t)c, &path))
                moves++;
    }
    return moves;
}

float dead_end_share(const Board& b, MtRandom* g, int games) {
    if (games <= 0) return 0;
    static SolveMove open[BOARD_MAX_CELLS * BOARD_MAX_CELLS / 2];
    ConnectionPath path;
    int n = b.width * b.height, dead = 0;
    for (int game = 0; game < games; game++) {
        Board play = b;
        for (;;) {
            int count = 0;
            for (int a = 0; a < n; a++) {
                if (play.cells[a] == EMPTY_CELL) continue;
                for (int c = a + 1; c < n; c++)
                    if (play.cells[c] == play.cells[a] &&
                        connect_cells(play, (uint8_t)a, (uint8_t)c, &path))
                        open[count++] = {(uint8_t)a, (uint8_t)c};
            }
            if (count == 0) break;
            int pick = (int)(random_unit(g) * (float)count);
            if (pick >= count) pick = count - 1;
            play.cells[open[pick].first] = EMPTY_CELL;
            play.cells[open[pick].second] = EMPTY_CELL;
        }
        bool left = false;
        for (int i = 0; i < n; i++) left |= play.cells[i] != EMPTY_CELL;
        dead += left;
    }
    return (float)dead / (float)games;
}

void design_seed_offsets(uint8_t offsets[LEVEL_SEED_OFFSET_COUNT], DesignReport* report,
                         uint16_t last_level) {
    memset(offsets, 0, LEVEL_SEED_OFFSET_COUNT);
    memset(report, 0, sizeof *report);
    if (last_level > MAX_LEVEL) last_level = MAX_LEVEL;
    Board layout;
    Solution solution;
    for (int number = 1; number <= last_level; number++) {
        if (level_mode((uint16_t)number) == LEVEL_PAIRS_COUNTDOWN) continue;
        report->levels++;
        bool fixed = false;
        for (int offset = 0; offset <= 255 && !fixed; offset++) {
            if (!make_layout_with_offset(&layout, (uint16_t)number, (uint8_t)offset)) break;
            report->layouts_solved++;
            SolveResult result = solve_board(layout, &solution, DESIGN_NODE_LIMIT);
            if (result == SOLVE_GAVE_UP) report->undecided++;
            if (result != SOLVE_CLEARED) continue;
            fixed = true;
            offsets[number - 1] = (uint8_t)offset;
            if (offset == 0) report->solvable_before++;
            report->solvable_after++;
        }
        if (!fixed) report->unfixable[report->unfixable_count++] = (uint16_t)number;
    }
}
