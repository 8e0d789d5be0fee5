// board.h - the grid of tiles and everything that reads it.
//
// Words used throughout the board code:
//   cell      one square of the grid, indexed row * width + column (< 100);
//   frame     the outermost ring of cells, always empty, so that paths can
//             run around the tiles;
//   tile      a non-empty cell; its value is the picture number (TileKind);
//   tile set  a numbered directory of pictures; ten levels share one;
//   layout    the cells of a level as generated from its number.
//
// One global Board is played on. How its cells look is the screen's
// (screen/board_view.h); nothing here draws.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config.h"

enum {
    BOARD_MAX_SIDE = 10,
    BOARD_MAX_CELLS = 100,
    TILE_SIZE = 80,  // layout units per cell
    MAX_TILE_SETS = 64,
    MAX_LEVEL = 9999,
    LEVEL_SEED_OFFSET_COUNT = 10000,
};

// Cell values: 0 empty, 1..N a picture of the current set. WALL is an
// obstacle only on the tutorial boards; elsewhere 9 is just picture 9.
typedef uint8_t TileKind;
enum : uint8_t { EMPTY_CELL = 0, WALL = 9 };

struct Board {
    uint8_t width;   // columns, frame included
    uint8_t height;  // rows, frame included
    uint8_t cells[BOARD_MAX_CELLS];
    uint8_t tile_count;
};

extern Board board;

// A Pairs Countdown ghost: an empty cell announced to hold a tile soon.
typedef uint8_t GhostFlag;
extern GhostFlag ghost[BOARD_MAX_CELLS];

// --- Levels and modes ---------------------------------------------------------

enum LevelMode : uint8_t { LEVEL_REGULAR, LEVEL_TIME_CHALLENGE, LEVEL_PAIRS_COUNTDOWN };
LevelMode level_mode(uint16_t number);

// Mode of the level being played; set when a level is dealt
// (board/level.cpp). They choose the header and footer the board is laid
// out between.
extern bool time_challenge;
extern bool pairs_countdown;

// --- Tile sets -------------------------------------------------------------------

extern uint8_t tile_set_count;              // T, at most 64
extern uint8_t tile_counts[MAX_TILE_SETS];  // pictures per set

// ((level - 1) / 10 kept in 8 bits) mod T; 0 when there are no sets.
uint8_t tile_set_of_level(uint16_t number);
// Picture count of the level's set (0 when there are no sets).
uint8_t picture_count_of_level(uint16_t number);

// Count files hold decimal text: leading white space and a sign allowed,
// digits up to the first other character, no digits = 0; kept in 8 bits.
uint8_t parse_count_text(const char* text);
uint8_t read_count_file(const char* path);  // missing file = 0
// Reads "<dir>/tiles/count" and each "<dir>/tiles/%02d/count".
void load_tile_set_counts(const char* images_dir);

// "tiles/%02d/%02d.png" for a 0-based set and a 1-based picture.
void tile_picture_name(char* out, size_t capacity, uint8_t set, uint8_t picture);

// --- Level seed offsets -------------------------------------------------------

// Entry L - 1 adjusts the seed of level L.
extern uint8_t level_seed_offsets[LEVEL_SEED_OFFSET_COUNT];
void clear_level_seed_offsets();
// Records of 3 bytes: key (16 bits, little-endian), value. Keys outside the
// table and a trailing partial record are skipped.
void apply_level_seed_offsets(const uint8_t* data, size_t length);
// Clears the table, then applies the file if it can be read.
bool load_level_seed_offsets(const char* path);
uint8_t level_seed_offset(uint16_t number);  // 0 for levels outside 1..10000

// --- Level generation ----------------------------------------------------------

// Writes the layout of a level into out (Pairs Countdown draws from
// shared_random). False, with an empty board, when the level has no
// pictures to use (level 0, no tile sets, a set of 0 pictures).
bool make_level_layout(Board* out, uint16_t number);
// The same on the global board.
bool generate_level_layout(uint16_t number);
// A regular or Time Challenge layout dealt with the given seed offset in
// place of the table's entry (for designing the table). False for Pairs
// Countdown levels and levels without pictures.
bool make_layout_with_offset(Board* out, uint16_t number, uint8_t offset);
// Cells of the board that are not EMPTY_CELL.
uint8_t count_tiles(const Board& b);

// --- Connection rule -----------------------------------------------------------

struct ConnectionPath {
    uint8_t count;      // 2..4 after a success, 0 or 1 after a failure
    uint8_t points[4];  // first cell, corners, second cell
};

extern ConnectionPath connection_path;

// The connection rule on any board; path receives the points.
bool connect_cells(const Board& b, uint8_t first, uint8_t second, ConnectionPath* path);
bool board_has_move(const Board& b, ConnectionPath* path);
// The same on the global board, leaving the path in connection_path.
bool find_connection(uint8_t a, uint8_t b);
bool any_move_exists();
// Some cell of the global board still holds a tile (tiles being removed
// are already empty cells).
bool tiles_left_to_match();

// --- Geometry ----------------------------------------------------------------------

// Centre of cell i in layout units, the board centred on the origin.
Vec2 home_position_on(uint8_t i, uint8_t width, uint8_t height, float padding);
// min(w / (width*80 - 40), max(0, h - header - footer) / (height*80 - 40), 1).
float scale_for_window(uint8_t width, uint8_t height, float w, float h, float header, float footer);

// The layout's values from config.txt (registered with the game screen's
// keys): the gap between tiles and each mode's header and footer bands.
extern float padding_between_tiles;
extern float default_header_height;
extern float default_footer_height;
extern float time_challenge_header_height;
extern float time_challenge_footer_height;
extern float moves_challenge_header_height;
extern float moves_challenge_footer_height;

// The same for the global board with padding_between_tiles, the window's
// logical size and the current mode's header and footer.
Vec2 cell_home_position(uint8_t i);
float board_scale();
float board_header_height();
float board_footer_height();
// Centre of cell i in logical pixels.
Vec2 cell_screen_position(uint8_t i);
