// game_screen_keys.cpp - the game screen's configuration variables and
// their keys.
//
// All values start at zero; config.txt provides every one of them. The order
// of registration is the lookup order, so it is kept exactly as listed in
// game_screen_keys.h: the unsectioned keys first, then one block per section.
#include "screen/game_screen_keys.h"

Color3 bg_color;
Color4 tile_selection_color;
Vec2 tile_selection_size;
float tile_selection_stroke_size;
float tile_bounce_extra_scale;
float tile_bounce_duration;
float tile_remove_duration1;
float tile_remove_duration2;
float tile_appear_duration;
float tile_icon_scale;
Color4 line_color;
float line_size;
Color4 ghost_color;
float ghost_scale;
float ghost_appear_duration;
Vec2 menu_button_rel_pos;
Vec2 menu_button_size;
Color4 menu_button_color;
Color4 menu_button_text_color;

ProgressBarSettings progress_bar;
HeaderLabelSettings level_label_settings;
HeaderLabelSettings challenge_label_settings;
HeaderLabelSettings timer_label_settings;
HeaderLabelSettings moves_label_settings;
NoMovesSettings no_moves_settings;

static void register_unsectioned_keys() {
    register_rgb("bg_color", &bg_color);
    register_rgba("tile_selection_color", &tile_selection_color);
    register_size("tile_selection_size", &tile_selection_size);
    register_number("tile_selection_stroke_size", &tile_selection_stroke_size);
    register_number("padding_between_tiles", &padding_between_tiles);
    register_number("tile_bounce_extra_scale", &tile_bounce_extra_scale);
    register_number("tile_bounce_duration", &tile_bounce_duration);
    register_number("tile_remove_duration1", &tile_remove_duration1);
    register_number("tile_remove_duration2", &tile_remove_duration2);
    register_number("tile_appear_duration", &tile_appear_duration);
    register_number("tile_icon_scale", &tile_icon_scale);
    register_rgba("line_color", &line_color);
    register_number("line_size", &line_size);
    register_rgba("ghost_color", &ghost_color);
    register_number("ghost_scale", &ghost_scale);
    register_number("ghost_appear_duration", &ghost_appear_duration);
    register_position("menu_button_rel_pos", &menu_button_rel_pos);
    register_size("menu_button_size", &menu_button_size);
    register_rgba("menu_button_color", &menu_button_color);
    register_rgba("menu_button_text_color", &menu_button_text_color);
    register_number("default_header_height", &default_header_height);
    register_number("default_footer_height", &default_footer_height);
    register_number("time_challenge_header_height", &time_challenge_header_height);
    register_number("time_challenge_footer_height", &time_challenge_footer_height);
    register_number("moves_challenge_header_height", &moves_challenge_header_height);
    register_number("moves_challenge_footer_height", &moves_challenge_footer_height);
}

static void register_progress_bar_keys() {
    config_begin_section("progress_bar");
    register_number("cell_w", &progress_bar.cell_w);
    register_number("cell_h", &progress_bar.cell_h);
    register_number("cell_h_current", &progress_bar.cell_h_current);
    register_number("padding", &progress_bar.padding);
    register_number("y_from_top", &progress_bar.y_from_top);
    register_rgba("color_light", &progress_bar.color_light);
    register_rgba("color_medium", &progress_bar.color_medium);
    register_rgba("color_dark", &progress_bar.color_dark);
}

static void register_header_label_keys(const char* section, HeaderLabelSettings* label,
                                       bool has_highlight) {
    config_begin_section(section);
    register_text("font_fn", label->font_fn);
    register_int8("font_size", &label->font_size);
    register_number("y_from_top", &label->y_from_top);
    register_rgba("color", &label->color);
    if (has_highlight) register_number("highlight_duration", &label->highlight_duration);
}

static void register_no_moves_keys() {
    NoMovesSettings* s = &no_moves_settings;
    config_begin_section("no_moves");
    register_text("label1_text", s->label1_text);
    register_rgba("label1_text_color", &s->label1_text_color);
    register_text("label1_font_fn", s->label1_font_fn);
    register_int8("label1_font_size", &s->label1_font_size);
    register_number("label1_y_from_grid_top", &s->label1_y_from_grid_top);
    register_rgba("grid_bg_color", &s->grid_bg_color);
    register_number("grid_bg_padding", &s->grid_bg_padding);
    register_text("label2_text", s->label2_text);
    register_rgba("label2_text_color", &s->label2_text_color);
    register_text("label2_font_fn", s->label2_font_fn);
    register_int8("label2_font_size", &s->label2_font_size);
    register_number("label2_y_from_grid_bottom", &s->label2_y_from_grid_bottom);
}

void register_game_screen_settings() {
    config_end_section();
    register_unsectioned_keys();
    register_progress_bar_keys();
    register_header_label_keys("level_label", &level_label_settings, false);
    register_header_label_keys("challenge_label", &challenge_label_settings, false);
    register_header_label_keys("timer_label", &timer_label_settings, true);
    register_header_label_keys("moves_label", &moves_label_settings, false);
    register_no_moves_keys();
    config_end_section();
}
