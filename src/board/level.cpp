// level.cpp - the level being played and the rules' moves on it: dealing,
// a press, the end of a removal, the clock and the play time. Each move
// changes the board, the level and the statistics here and returns what
// happened; nothing here animates, plays or draws.
#include "board/level.h"

#include <cstring>

#include "board/board.h"
#include "board/pairs_countdown.h"
#include "board/save_codec.h"
#include "board/shuffle.h"
#include "board/tutorial.h"

uint16_t level;
uint8_t current_set;
uint8_t next_set;

Board board;
GhostFlag ghost[BOARD_MAX_CELLS];
bool time_challenge;
bool pairs_countdown;

Level level_state;

float level_time;
float best_match_time;
float time_since_match;
uint16_t match_count;

static const uint16_t FIRST_TIME_LIMIT = 120;  // level 10, the first Time Challenge

// --- The level number ----------------------------------------------------------------

void choose_tile_sets() {
    current_set = tile_set_of_level(level);
    // Without any tile set there is nothing to wrap around to.
    next_set = tile_set_count ? (uint8_t)((current_set + 1) % tile_set_count) : 0;
}

void set_level_number(uint16_t number) {
    level = number;
    choose_tile_sets();
}

bool next_level() {
    // The last level is played again and again rather than wrapping to 0.
    if (level < MAX_LEVEL) level++;
    uint8_t old_set = current_set;
    choose_tile_sets();
    return current_set != old_set;
}

// --- Dealing -----------------------------------------------------------------------

namespace {

// The saved clock, budget, ghosts and statistics, and the board when it
// passed its checks (a dropped board's fields hold their defaults).
void take_saved_level(const SavedProgress& p) {
    board = Board{};
    if (p.restored) {
        board.width = p.width;
        board.height = p.height;
        memcpy(board.cells, p.cells, sizeof board.cells);
    }
    memcpy(ghost, p.ghosts, sizeof ghost);
    level_state.time_left = p.time_left;
    level_state.pair_budget = p.pair_budget;
    level_time = p.level_time;
    best_match_time = p.best_match_time;
    match_count = p.match_count;
}

}  // namespace

bool deal_level(const SavedProgress* saved) {
    Level& l = level_state;
    bool resumed = saved && saved->restored;
    LevelMode mode = level_mode(level);
    time_challenge = mode == LEVEL_TIME_CHALLENGE;
    pairs_countdown = mode == LEVEL_PAIRS_COUNTDOWN;
    if (saved) take_saved_level(*saved);
    if (!resumed) generate_level_layout(level);
    board.tile_count = count_tiles(board);

    if (time_challenge) {
        l.time_limit = level == 10 ? FIRST_TIME_LIMIT
                                   : (uint16_t)(SECONDS_PER_PICTURE * picture_count_of_level(level));
        // A clock read back as 0 ran out: that level stays lost.
        bool ran_out = resumed && saved->time_left_read && l.time_left == 0;
        if (l.time_left > l.time_limit || (l.time_left == 0 && !ran_out))
            l.time_left = l.time_limit;
    } else {
        l.time_left = 0;
    }
    if (pairs_countdown) {
        // A budget of 0 read back from the file is a won challenge.
        if (l.pair_budget == 0 && !(resumed && saved->pair_budget_read))
            l.pair_budget = MAX_PAIR_BUDGET;
        if (l.pair_budget > MAX_PAIR_BUDGET) l.pair_budget = MAX_PAIR_BUDGET;
    } else {
        l.pair_budget = 0;
    }

    stop_clock();
    l.clock_seconds = l.time_left;
    clear_removals();
    if (!resumed) {
        best_match_time = NO_MATCH_TIME;
        level_time = 0.0f;
        match_count = 0;
    }
    time_since_match = 0.0f;
    hide_no_moves();
    return resumed;
}

void clear_level_play() {
    level_state.selected = false;
    hide_no_moves();
    clear_removals();
    memset(ghost, 0, sizeof ghost);
}

// --- Shuffling -------------------------------------------------------------------------

int shuffle_level(uint8_t destination[BOARD_MAX_CELLS]) {
    int passes = shuffle_cells(destination);
    // A ghost announces a tile for its cell's place on the board, so it
    // moves with the cell's content like the tile's drawing record does.
    const int n = board.width * board.height;
    GhostFlag moved_ghosts[BOARD_MAX_CELLS];
    memcpy(moved_ghosts, ghost, sizeof moved_ghosts);
    for (int i = 0; i < n; i++) moved_ghosts[destination[i]] = ghost[i];
    memcpy(ghost, moved_ghosts, sizeof moved_ghosts);
    level_state.selected = false;
    return passes;
}

// --- A press -------------------------------------------------------------------------

namespace {

void count_removed_pair() {
    if (tutorial_active) return;
    if (pairs_countdown) {
        if (level_state.pair_budget > 0) level_state.pair_budget--;
    } else if (time_challenge) {
        // The last pair was matched in time: the clock stops with it.
        if (!tiles_left_to_match()) stop_clock();
    } else {
        match_count++;
        if (time_since_match < best_match_time) best_match_time = time_since_match;
        time_since_match = 0.0f;
    }
}

}  // namespace

PressOutcome press_cell(int cell, bool is_press) {
    Level& l = level_state;
    PressOutcome out = {};
    if (!tutorial_active && pairs_countdown && l.pair_budget == 0) {
        out.result = PRESS_LOCKED;
        return out;
    }
    if (cell < 0 || cell >= BOARD_MAX_CELLS) {
        out.result = PRESS_MISSED;
        return out;
    }
    uint8_t i = (uint8_t)cell;
    out.cell = i;
    if (l.removing[i] || is_tutorial_wall(i)) {
        out.result = PRESS_BLOCKED;
    } else if (board.cells[i] == EMPTY_CELL) {
        out.result = PRESS_MISSED;
    } else if (!l.selected) {
        out.result = is_press ? PRESS_SELECTED : PRESS_KEPT;
        if (!is_press) return out;
        l.selected = true;
        l.selected_cell = i;
        if (time_challenge && !tutorial_active && !clock_running()) {
            start_clock();
            out.clock_started = true;
        }
    } else if (find_connection(l.selected_cell, i)) {
        out.result = PRESS_MATCHED;
        out.first = l.selected_cell;
        out.path = connection_path;
        board.cells[out.first] = EMPTY_CELL;
        board.cells[i] = EMPTY_CELL;
        begin_removal(out.first);
        begin_removal(i);
        l.selected = false;
        count_removed_pair();
    } else {
        out.result = is_press ? PRESS_RESELECTED : PRESS_KEPT;
        if (is_press) l.selected_cell = i;
    }
    return out;
}

void drop_selection() {
    level_state.selected = false;
}

// --- End of a removal -------------------------------------------------------------

RemovalOutcome finish_removal(uint8_t cell) {
    RemovalOutcome out = {};
    if (cell >= BOARD_MAX_CELLS) return out;
    end_removal(cell);
    if (board.tile_count > 0) board.tile_count--;
    if (tutorial_active) {
        out.practice = true;
        return out;
    }
    out.result = level_result();
    if (out.result != LEVEL_PLAYING) return out;
    if (pairs_countdown) {
        uint8_t pictures = current_set < tile_set_count ? tile_counts[current_set] : 0;
        out.refill = refill_pairs_countdown(board, ghost, level_state.removing, pictures);
    }
    if (level_state.removing_count == 0 && !any_move_exists()) {
        show_no_moves();
        out.no_moves = true;
    }
    return out;
}

LevelResult level_result() {
    if (tutorial_active) return LEVEL_PLAYING;
    bool budget_spent = pairs_countdown && level_state.pair_budget == 0;
    if (board.tile_count == 0)
        return time_challenge || budget_spent ? LEVEL_SET_COMPLETE : LEVEL_WON;
    if (budget_spent) return LEVEL_SET_COMPLETE;
    // Once the last pair is matched the clock can no longer lose the level.
    if (time_challenge && level_state.time_left == 0 && tiles_left_to_match()) return LEVEL_LOST;
    return LEVEL_PLAYING;
}

void end_level(LevelResult result) {
    // A press held over the board must not complete a pair under the result.
    level_state.selected = false;
    if (result == LEVEL_SET_COMPLETE && time_challenge) level_state.time_left = 0;
    if (result == LEVEL_SET_COMPLETE || result == LEVEL_LOST) stop_clock();
}

// --- The clock and play time -----------------------------------------------------

TickOutcome tick_level(float dt, bool clock_waits, bool play_time_runs) {
    TickOutcome out = {};
    if (tutorial_active) return out;
    if (clock_running() && !clock_waits && count_down_clock(dt)) {
        out.second_changed = true;
        if (level_state.time_left == 0) out.result = level_result();
    }
    if (!time_challenge && !pairs_countdown && !no_moves_shown() && play_time_runs) {
        level_time += dt;
        time_since_match += dt;
    }
    return out;
}

void start_clock() {
    level_state.clock_on = true;
}

void stop_clock() {
    level_state.clock_on = false;
}

bool clock_running() {
    return level_state.clock_on;
}

bool count_down_clock(float dt) {
    Level& l = level_state;
    l.clock_seconds -= dt;
    uint16_t s = l.clock_seconds > 0.0f ? (uint16_t)l.clock_seconds : 0;
    if (s == l.time_left) return false;
    l.time_left = s;
    if (s == 0) stop_clock();
    return true;
}

// --- Removals and the no-moves state ------------------------------------------------

void begin_removal(uint8_t cell) {
    Level& l = level_state;
    if (cell >= BOARD_MAX_CELLS || l.removing[cell]) return;
    l.removing[cell] = 1;
    l.removing_count++;
}

void end_removal(uint8_t cell) {
    Level& l = level_state;
    if (cell >= BOARD_MAX_CELLS || !l.removing[cell]) return;
    l.removing[cell] = 0;
    if (l.removing_count > 0) l.removing_count--;
}

void clear_removals() {
    Level& l = level_state;
    memset(l.removing, 0, sizeof l.removing);
    l.removing_count = 0;
}

void show_no_moves() {
    level_state.no_moves = true;
}

void hide_no_moves() {
    level_state.no_moves = false;
}

bool no_moves_shown() {
    return level_state.no_moves;
}
