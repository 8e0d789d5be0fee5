// level.h - the level being played: its board, the selection, the tiles
// still being removed, the Time Challenge clock, the Pairs Countdown budget
// and ghosts, and the statistics of a regular level; and the rules' moves
// on them. Each move is a verb that returns what happened; the screen
// decides what the player sees and hears of it.
//
// Words: a press is a mouse press (or release) on a cell; a match is two
// equal tiles joined by the connection rule; a removal is a matched tile's
// way out, from the press until its animation ends.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/pairs_countdown.h"
#include "config/config.h"

struct SavedProgress;

// The level number, 1..9999 (0 before the saved progress is read), and the
// tile sets it draws on: current_set for the level and next_set, the one
// after it (both 0 while there is no tile set).
extern uint16_t level;
extern uint8_t current_set;
extern uint8_t next_set;

// A level number and the tile sets chosen for it.
void set_level_number(uint16_t number);
// One level on and the tile sets chosen for it; true when the tile set
// changed.
bool next_level();
void choose_tile_sets();

// One struct, so that a level (or a test) starts from Level{}. The fields
// marked "verbs" change only through the functions below.
struct Level {
    bool selected;          // a first tile is selected
    uint8_t selected_cell;  // ...in this cell

    // verbs: a removed tile's animation runs while its cell is marked here,
    // and removing_count counts the marked cells.
    uint8_t removing[BOARD_MAX_CELLS];
    uint8_t removing_count;
    bool no_moves;  // verbs: no move left, the board waits for its shuffle

    // Time Challenge clock.
    bool clock_on;        // verbs: the clock counts down
    uint16_t time_limit;  // seconds allowed
    uint16_t time_left;   // whole seconds last shown by the timer
    float clock_seconds;  // the exact remaining time

    uint16_t pair_budget;  // pairs still to remove in Pairs Countdown
};
extern Level level_state;

// Statistics of a regular level (saved with it).
extern float level_time;        // seconds played
extern float best_match_time;   // quickest pair, NO_MATCH_TIME before the first
extern float time_since_match;  // seconds since the last pair
extern uint16_t match_count;    // pairs removed

// --- Dealing -----------------------------------------------------------------------

// The rules' part of starting a level (screen/level_flow adds pictures,
// labels and popups): the mode, the board, the clock or budget, the ghosts
// and the statistics. A saved record whose board passed its checks is
// played on as it was; otherwise (or with none) the level's layout is
// dealt afresh. True when the saved board was used.
bool deal_level(const SavedProgress* saved);
// The selection, removals, ghosts and no-moves state of a level left
// behind (before it is played again or the next one is dealt).
void clear_level_play();

// The board's tiles permuted until a move exists (board/shuffle), the
// ghosts moved with their cells and the selection dropped; destination[i]
// is where cell i's content went. Returns the passes made.
int shuffle_level(uint8_t destination[BOARD_MAX_CELLS]);

// --- A press -------------------------------------------------------------------------

enum PressResult : uint8_t {
    PRESS_LOCKED,      // a spent Pairs Countdown budget: the board takes no press
    PRESS_MISSED,      // no tile under it
    PRESS_BLOCKED,     // a tile being removed, or a tutorial wall
    PRESS_KEPT,        // a tile, but nothing changes (a release that made no pair)
    PRESS_SELECTED,    // the first tile of a pair is selected
    PRESS_RESELECTED,  // another tile that does not connect: it is selected instead
    PRESS_MATCHED,     // a pair is removed
};

struct PressOutcome {
    PressResult result;
    uint8_t cell;         // the cell pressed (on a match, the pair's second)
    uint8_t first;        // a match's first cell
    ConnectionPath path;  // a match's connecting path
    bool clock_started;   // a Time Challenge clock started with this selection
};

// A press (is_press) or release on cell (-1 for none). A match empties both
// cells, marks their removals, and spends the budget, stops the clock with
// the last pair or counts the statistics; a release only ever completes a
// pair.
PressOutcome press_cell(int cell, bool is_press);
void drop_selection();

// --- End of a removal -------------------------------------------------------------

enum LevelResult { LEVEL_PLAYING, LEVEL_WON, LEVEL_SET_COMPLETE, LEVEL_LOST };

struct RemovalOutcome {
    bool practice;          // on a practice board (nothing else is decided)
    LevelResult result;     // how the level stands once the tile is gone
    Refill refill;          // Pairs Countdown tiles grown and ghosts announced
    bool no_moves;          // no move is left: the board waits for its shuffle
};

// A removed tile's animation ended: the tile count drops, then the level's
// result, the Pairs Countdown refill or the no-moves state follow.
RemovalOutcome finish_removal(uint8_t cell);

// How the current level stands, as the rules see it: cleared (a cleared
// challenge, or a spent Pairs Countdown budget, completes the tile set), or
// a Time Challenge clock run out with tiles still to match. Asked when a
// removal ends, when the clock reaches 0 and when a save is resumed.
LevelResult level_result();
// The level ends with this result: the selection is dropped, the clock
// stops, and a completed Time Challenge shows 0 left.
void end_level(LevelResult result);

// --- The clock and play time -----------------------------------------------------

struct TickOutcome {
    bool second_changed;  // the clock shows another whole second (time_left)
    LevelResult result;   // at 0: how the level stands
};

// dt seconds of play. The Time Challenge clock runs unless clock_waits (the
// window is away); a regular level's play time counts while play_time_runs
// (no panel or popup over it) and no shuffle is awaited.
TickOutcome tick_level(float dt, bool clock_waits, bool play_time_runs);

// The Time Challenge clock starts at the first selection, pauses in the
// settings and starts again when they close, and stops with the level.
void start_clock();
void stop_clock();
bool clock_running();
// The running clock loses dt seconds. True when the whole second it shows
// (time_left) changed; at 0 the clock has stopped.
bool count_down_clock(float dt);

// The running removals: these keep removing_count equal to the number of
// cells marked in removing.
void begin_removal(uint8_t cell);
void end_removal(uint8_t cell);
void clear_removals();

// The no-moves state shows until the board is shuffled or a level starts.
void show_no_moves();
void hide_no_moves();
bool no_moves_shown();
