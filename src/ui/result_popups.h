// result_popups.h - the three popups that end a level: won (the level's
// timing statistics), tile set complete (the next set's pictures popping
// in) and lost (the Time Challenge clock ran out).
//
// Their open / click / draw entry points are in popups.h; this header holds
// their configuration sections and the pure layout rules, so those can be
// checked without a window.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config.h"
#include "ui/styles.h"

struct Texture;

// [win_popup]: a title on a plate, three rows of statistics, a hint line.
struct WinPopupSettings {
    ButtonStyle label1;  // its plate's keys are "label1_bg_size", "label1_bg_color"
    // The three rows share the first row's font and colour: the second and
    // third have only a text and a height.
    LabelStyle label2, label3, label4;
    float table_width;
    LabelStyle label9;
};
extern WinPopupSettings win_popup_settings;

enum { WIN_POPUP_VALUE_SIZE = 32 };
// The three values: play time, fastest pair, average per pair, each
// "%.2fs"; "-" in all three when the level was not timed or no pair counted.
void format_win_popup_values(float level_time, float best_match_time, uint16_t match_count,
                             char out[3][WIN_POPUP_VALUE_SIZE]);
// Texts the open win popup shows in its value column.
const char* win_popup_value_text(int row);

// [win2_popup]: title on a plate, a second line, the pictures, a third line.
struct Win2PopupSettings {
    ButtonStyle label1;  // its plate's keys are "label1_bg_size", "label1_bg_color"
    LabelStyle label2;
    float tileset_y_from_mid;
    float tileset_padding_x;
    float tileset_padding_y;
    Vec2 tile_size;
    uint8_t tiles_max_per_row;  // a larger set takes more rows
    LabelStyle label3;
};
extern Win2PopupSettings win2_popup_settings;

enum { WIN2_MAX_TILES = 32 };
// Pictures shown (a larger set shows its first 32), their appear scales
// (0..1, driven by "win2_tile%d_appear") and textures.
extern uint8_t win2_tile_count;
extern float win2_tile_scales[WIN2_MAX_TILES];
extern Texture* win2_tile_pictures[WIN2_MAX_TILES];
// Centre of picture k (0-based) of n, relative to the centre of the block of
// rows: tiles_max_per_row in each row from the top (unset: two rows, the
// first ceil(n / 2) in the upper one), each row centred.
Vec2 win2_tile_offset(int k, int n, Vec2 tile_size, float padding_x, float padding_y);
// Scale of a picture on its tile back: 1, or less when the back is smaller.
float win2_picture_fit(float picture_width, float picture_height, Vec2 tile_size);

// [lose_popup]: a plate with a title and a button, grown from its centre.
struct LosePopupSettings {
    float offset_y;
    Vec2 bg_size;
    Color4 bg_color;
    LabelStyle title;  // its colour key is "title_color"
    ButtonStyle button;
};
extern LosePopupSettings lose_popup_settings;

// Seconds a freshly opened lose popup ignores presses, so a press meant for
// the board does not dismiss it unseen.
constexpr float LOSE_POPUP_INPUT_DELAY = 0.4f;

// Reload callbacks (registered by the popups' registrars).
void reload_win_popup();
void reload_win2_popup();
void reload_lose_popup();
