// progress_panel.cpp - the panel that slides up from the bottom while the
// menu is open: one square per tile set, with the set's first picture on
// every set the player has reached. It loads the pictures it shows that
// are not loaded yet and frees exactly those when it closes, so opening
// and closing leave the texture pool as it was.
#include "platform/window_metrics.h"
#include "ui/progress_panel.h"

#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "board/progress.h"
#include "config/config.h"
#include "render/font.h"
#include "render/matrix.h"
#include "render/panel.h"
#include "render/primitives.h"
#include "render/texture.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/styles.h"
#include "ui/ui_common.h"

float progress_panel_offset;
uint8_t revealed_sets;

namespace {

const char* const TITLE_FONT = "progress_panel_title_font";

struct ProgressPanelSettings {
    float y_from_bottom;
    float appear_anim_duration;
    Vec2 bg_size;
    Color4 bg_color;
    float bg_stroke_size;
    Color4 bg_stroke_color;
    LabelStyle title;
    float tiles_y_from_top;
    uint8_t tiles_max_per_row;
    float tiles_padding_x;
    float tiles_padding_y;
    float tiles_scale;
    Color4 tiles_color_hidden;
    Color4 tiles_color_revealed;
};

struct LoadedPicture {
    Texture* texture;
    char name[32];
};

struct ProgressPanel {
    ProgressPanelSettings settings;
    PanelShape border, background, square;
    TextLabel title;
    LoadedPicture loaded[MAX_TILE_SETS];
    uint8_t loaded_count;
};

ProgressPanel panel;

void first_picture_name(char* out, size_t capacity, int set_number) {
    tile_picture_name(out, capacity, (uint8_t)(set_number - 1), 1);
}

void load_fonts() {
    load_style_font(TITLE_FONT, &panel.settings.title);
}

void init_labels() {
    init_label(&panel.title, TITLE_FONT);
}

void lay_out() {
    const ProgressPanelSettings& s = panel.settings;
    set_label(&panel.title, TITLE_FONT, s.title.text);
    create_panel_shape(&panel.border, s.bg_size.x + 2 * s.bg_stroke_size,
                       s.bg_size.y + 2 * s.bg_stroke_size);
    create_panel_shape(&panel.background, s.bg_size.x, s.bg_size.y);
    create_panel_shape(&panel.square, TILE_SIZE, TILE_SIZE);
}

void reload_progress_panel() {
    load_fonts();
    lay_out();
}

void free_loaded_pictures() {
    for (int k = 0; k < panel.loaded_count; k++) {
        // Only the record the panel made: a picture freed and loaded again
        // elsewhere meanwhile is no longer the panel's to free.
        LoadedPicture& picture = panel.loaded[k];
        if (picture.texture && find_texture(picture.name) == picture.texture)
            delete_texture(picture.texture);
        picture.texture = nullptr;
    }
    panel.loaded_count = 0;
}

}  // namespace

void register_progress_panel_settings() {
    ProgressPanelSettings& s = panel.settings;
    config_begin_section("progress_panel");
    register_number("y_from_bottom", &s.y_from_bottom);
    register_number("appear_anim_duration", &s.appear_anim_duration);
    register_size("bg_size", &s.bg_size);
    register_rgba("bg_color", &s.bg_color);
    register_number("bg_stroke_size", &s.bg_stroke_size);
    register_rgba("bg_stroke_color", &s.bg_stroke_color);
    register_label_style_keys("title", "y_from_top", &s.title);
    register_number("tiles_y_from_top", &s.tiles_y_from_top);
    register_int8("tiles_max_per_row", &s.tiles_max_per_row);
    register_number("tiles_padding_x", &s.tiles_padding_x);
    register_number("tiles_padding_y", &s.tiles_padding_y);
    register_number("tiles_scale", &s.tiles_scale);
    register_rgba("tiles_color_hidden", &s.tiles_color_hidden);
    register_rgba("tiles_color_revealed", &s.tiles_color_revealed);
    config_end_section();
    register_reload_callback(reload_progress_panel);
}

void setup_progress_panel() {
    load_fonts();
    init_labels();
    lay_out();
}

void open_progress_panel() {
    const ProgressPanelSettings& s = panel.settings;
    open_overlay(OVERLAY_PROGRESS_PANEL);
    stop_tween("progress_panel_appear");
    progress_panel_offset = -s.y_from_bottom;
    start_tween("progress_panel_appear", &progress_panel_offset, -s.y_from_bottom, 0.0f,
                s.appear_anim_duration, ease_out_sine);

    int reached = (level > 0 ? level - 1 : 0) / 10 + 1;
    revealed_sets = (uint8_t)(reached < tile_set_count ? reached : tile_set_count);

    // A panel opened twice without closing must not lose track of its own.
    free_loaded_pictures();
    char name[32];
    for (int j = 1; j <= revealed_sets; j++) {
        first_picture_name(name, sizeof name, j);
        if (find_texture(name)) continue;
        Texture* texture = load_image(name);
        if (!texture) continue;
        LoadedPicture& picture = panel.loaded[panel.loaded_count++];
        picture.texture = texture;
        snprintf(picture.name, sizeof picture.name, "%s", name);
    }
}

void close_progress_panel() {
    close_overlay(OVERLAY_PROGRESS_PANEL);
    stop_tween("progress_panel_appear");
    free_loaded_pictures();
}

uint8_t panel_tile_texture_count() {
    return panel.loaded_count;
}

bool progress_panel_area_hit(float x, float y) {
    float middle = (float)(logical_width / 2);
    float half = panel.settings.bg_size.x / 2;
    return middle - half < x && x < middle + half &&
           y > logical_height + panel.settings.y_from_bottom;
}

GridSpot progress_grid_spot(int j, int count, int per_row, float padding_x, float padding_y) {
    if (per_row < 1) per_row = 1;  // 0 would give no rows at all
    const float t = TILE_SIZE;
    int rows = (count + per_row - 1) / per_row;
    int row = (j - 1) / per_row;
    int column = (j - 1) % per_row;
    int in_row = count - row * per_row;
    if (in_row > per_row) in_row = per_row;
    GridSpot spot;
    spot.x = t / 2 - (in_row * t + (in_row - 1) * padding_x) / 2 + column * (t + padding_x);
    spot.y = t / 2 - (rows * t + (rows - 1) * padding_y) / 2 + row * (t + padding_y);
    return spot;
}

void draw_progress_panel() {
    const ProgressPanelSettings& s = panel.settings;
    push_matrix();
    translate_matrix((float)(logical_width / 2),
                     logical_height + s.y_from_bottom + progress_panel_offset);

    push_matrix();
    translate_matrix(0, s.bg_size.y / 2 + s.bg_stroke_size);
    draw_panel_shape(&panel.border, 0, 0, packed_color(s.bg_stroke_color));
    draw_panel_shape(&panel.background, 0, 0, packed_color(s.bg_color));
    pop_matrix();

    draw_label_color(&panel.title, 0, s.title.y, s.title.text_color);

    push_matrix();
    translate_matrix(0, s.tiles_y_from_top);
    scale_matrix(s.tiles_scale, s.tiles_scale);
    char name[32];
    int count = tile_set_count;
    for (int j = 1; j <= count; j++) {
        GridSpot spot =
            progress_grid_spot(j, count, s.tiles_max_per_row, s.tiles_padding_x, s.tiles_padding_y);
        if (j > revealed_sets) {
            draw_panel_shape(&panel.square, spot.x, spot.y, packed_color(s.tiles_color_hidden));
            continue;
        }
        draw_panel_shape(&panel.square, spot.x, spot.y, packed_color(s.tiles_color_revealed));
        first_picture_name(name, sizeof name, j);
        // A picture that could not be loaded leaves the square plain.
        if (const Texture* picture = find_texture(name)) draw_texture_centered(picture, spot.x, spot.y);
    }
    pop_matrix();

    pop_matrix();
}
