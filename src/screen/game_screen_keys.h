// game_screen_keys.h - the game screen's own configuration keys.
//
// Board look and timing, the connecting line, ghosts, the menu button, the
// progress bar, the four header labels and the no-moves overlay. The board
// layout's values registered here (the tile padding and the header and
// footer bands) belong to the board and are declared in board/board.h.
// Every value comes from config.txt; all start at zero.
#pragma once

#include "board/board.h"
#include "config/config.h"

// Keys without a section, in registration order (padding_between_tiles
// after tile_selection_stroke_size, the six band heights last).
extern Color3 bg_color;
extern Color4 tile_selection_color;
extern Vec2 tile_selection_size;
extern float tile_selection_stroke_size;
extern float tile_bounce_extra_scale;
extern float tile_bounce_duration;
extern float tile_remove_duration1;
extern float tile_remove_duration2;
extern float tile_appear_duration;
extern float tile_icon_scale;
extern Color4 line_color;
extern float line_size;
extern Color4 ghost_color;
extern float ghost_scale;
extern float ghost_appear_duration;
extern Vec2 menu_button_rel_pos;
extern Vec2 menu_button_size;
extern Color4 menu_button_color;
extern Color4 menu_button_text_color;

// [progress_bar]
struct ProgressBarSettings {
    float cell_w, cell_h, cell_h_current, padding, y_from_top;
    Color4 color_light, color_medium, color_dark;
};
extern ProgressBarSettings progress_bar;

// [level_label], [challenge_label], [timer_label], [moves_label]
struct HeaderLabelSettings {
    char font_fn[CONFIG_TEXT_SIZE];
    uint8_t font_size;
    float y_from_top;
    Color4 color;
    float highlight_duration;  // timer_label only
};
extern HeaderLabelSettings level_label_settings;
extern HeaderLabelSettings challenge_label_settings;
extern HeaderLabelSettings timer_label_settings;
extern HeaderLabelSettings moves_label_settings;

// [no_moves]
struct NoMovesSettings {
    char label1_text[CONFIG_TEXT_SIZE];
    Color4 label1_text_color;
    char label1_font_fn[CONFIG_TEXT_SIZE];
    uint8_t label1_font_size;
    float label1_y_from_grid_top;
    Color4 grid_bg_color;
    float grid_bg_padding;
    char label2_text[CONFIG_TEXT_SIZE];
    Color4 label2_text_color;
    char label2_font_fn[CONFIG_TEXT_SIZE];
    uint8_t label2_font_size;
    float label2_y_from_grid_bottom;
};
extern NoMovesSettings no_moves_settings;

// Registers every key above: the unsectioned ones first, then the sections
// in the order progress_bar, level_label, challenge_label, timer_label,
// moves_label, no_moves; leaves no section active.
void register_game_screen_settings();
