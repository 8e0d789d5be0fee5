// win2_popup.cpp - the popup of a won challenge: it presents the next tile
// set, its pictures popping in one after another in centred rows. Once
// the last has appeared a third line shows and a press starts the next
// level.
#include <cmath>
#include <cstdio>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/progress.h"
#include "config/config.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/matrix.h"
#include "render/panel.h"
#include "render/primitives.h"
#include "render/texture.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/result_popups.h"
#include "ui/ui_common.h"

Win2PopupSettings win2_popup_settings;
bool win2_popup_ready;
uint8_t win2_tile_count;
float win2_tile_scales[WIN2_MAX_TILES];
Texture* win2_tile_pictures[WIN2_MAX_TILES];

namespace {

const char* const LABEL1_FONT = "win2_popup_label1_font";
const char* const LABEL2_FONT = "win2_popup_label2_font";
const char* const LABEL3_FONT = "win2_popup_label3_font";

const float APPEAR_DURATION = 0.3f;
const float APPEAR_STEP = 0.15f;  // between one picture's start and the next

struct Win2PopupLook {
    TextLabel label1, label2, label3;
    PanelShape plate;
    PanelShape tile_back;
} look;

void load_fonts() {
    const Win2PopupSettings& s = win2_popup_settings;
    load_style_font(LABEL1_FONT, &s.label1.caption);
    load_style_font(LABEL2_FONT, &s.label2);
    load_style_font(LABEL3_FONT, &s.label3);
}

void init_labels() {
    init_label(&look.label1, LABEL1_FONT);
    init_label(&look.label2, LABEL2_FONT);
    init_label(&look.label3, LABEL3_FONT);
}

void lay_out() {
    const Win2PopupSettings& s = win2_popup_settings;
    set_label(&look.label1, LABEL1_FONT, s.label1.caption.text);
    set_label(&look.label2, LABEL2_FONT, s.label2.text);
    set_label(&look.label3, LABEL3_FONT, s.label3.text);
    create_panel_shape(&look.plate, s.label1.size.x, s.label1.size.y);
    create_panel_shape(&look.tile_back, s.tile_size.x, s.tile_size.y);
}

void on_last_tile_shown(TweenSlot*) {
    win2_popup_ready = true;
}

// A picture is drawn at its own size, or shrunk to fit a smaller tile back:
// a whole set across a narrow screen needs tiles smaller than the board's.
void draw_picture_in_tile(const Texture* picture, Vec2 tile_size) {
    if (!picture) return;
    float fit = win2_picture_fit(picture->width, picture->height, tile_size);
    push_matrix();
    scale_matrix(fit, fit);
    draw_texture_centered(picture, 0, 0);
    pop_matrix();
}

}  // namespace

Vec2 win2_tile_offset(int k, int n, Vec2 tile_size, float padding_x, float padding_y) {
    int per_row = win2_popup_settings.tiles_max_per_row, rows = 2;
    if (per_row > 0)
        rows = (n + per_row - 1) / per_row;
    else
        per_row = (n + 1) / 2;  // unset: two rows
    if (per_row < 1) per_row = 1;
    int row = k / per_row, column = k % per_row;
    int in_row = n - row * per_row;
    if (in_row > per_row) in_row = per_row;
    float tw = tile_size.x, th = tile_size.y;
    Vec2 p;
    p.x = tw / 2 - ((in_row - 1) * padding_x + in_row * tw) / 2 + column * (padding_x + tw);
    p.y = (row - (rows - 1) / 2.0f) * (th + padding_y);
    return p;
}

float win2_picture_fit(float picture_width, float picture_height, Vec2 tile_size) {
    float fit = 1.0f;
    if (picture_width > tile_size.x && picture_width > 0) fit = tile_size.x / picture_width;
    if (picture_height * fit > tile_size.y && picture_height > 0)
        fit = tile_size.y / picture_height;
    return fit > 0 ? fit : 0;
}

void register_win2_popup_settings() {
    Win2PopupSettings& s = win2_popup_settings;
    config_begin_section("win2_popup");
    register_size("label1_bg_size", &s.label1.size);
    register_rgba("label1_bg_color", &s.label1.color);
    register_label_style_keys("label1", "y_from_mid", &s.label1.caption);
    register_label_style_keys("label2", "y_from_mid", &s.label2);
    register_number("tileset_y_from_mid", &s.tileset_y_from_mid);
    register_number("tileset_padding_x", &s.tileset_padding_x);
    register_number("tileset_padding_y", &s.tileset_padding_y);
    register_size("tile_size", &s.tile_size);
    register_int8("tiles_max_per_row", &s.tiles_max_per_row);
    register_label_style_keys("label3", "y_from_mid", &s.label3);
    config_end_section();
    register_reload_callback(reload_win2_popup);
}

void setup_win2_popup() {
    load_fonts();
    init_labels();
    lay_out();
}

void reload_win2_popup() {
    load_fonts();
    lay_out();
}

void open_win2_popup() {
    open_overlay(OVERLAY_WIN2_POPUP);
    play_effect("win2_popup");
    // A popup opened again while pictures were still appearing starts over.
    stop_tweens_with_prefix("win2_tile");

    uint8_t set = next_set;
    int n = set < tile_set_count ? tile_counts[set] : 0;
    // Only 32 pictures fit the popup; a larger set shows its first 32.
    if (n > WIN2_MAX_TILES) n = WIN2_MAX_TILES;
    win2_tile_count = (uint8_t)n;
    for (int i = 0; i < WIN2_MAX_TILES; i++) {
        win2_tile_scales[i] = 0;
        win2_tile_pictures[i] = nullptr;
    }

    // Without pictures nothing would ever make the popup ready. Set before
    // the tweens: a last one that finds no free slot makes it ready at once.
    win2_popup_ready = n == 0;
    char name[32];
    for (int i = 1; i <= n; i++) {
        tile_picture_name(name, sizeof name, set, (uint8_t)i);
        Texture* picture = find_texture(name);
        // The next set is loaded before the popup opens; should a picture
        // be missing it is loaded here and then belongs to the set, which
        // becomes the current one when the popup closes.
        if (!picture) picture = load_image(name);
        win2_tile_pictures[i - 1] = picture;
        char tween_name[32];
        snprintf(tween_name, sizeof tween_name, "win2_tile%d_appear", i);
        start_tween(tween_name, &win2_tile_scales[i - 1], win2_tile_scales[i - 1], 1.0f,
                    APPEAR_DURATION, ease_out_sine, (i - 1) * APPEAR_STEP + APPEAR_STEP, false,
                    i == n ? on_last_tile_shown : nullptr);
    }
}

UiAction win2_popup_click() {
    if (!win2_popup_ready) return UI_NOTHING;
    play_effect("tap");
    close_overlay(OVERLAY_WIN2_POPUP);
    return UI_NEXT_LEVEL;
}

void draw_win2_popup() {
    const Win2PopupSettings& s = win2_popup_settings;
    float cx = (float)(logical_width / 2);
    float cy = (float)(logical_height / 2);

    draw_button(&look.plate, &look.label1, cx, cy + s.label1.caption.y, s.label1.color,
                s.label1.caption.text_color);
    draw_label_color(&look.label2, cx, cy + s.label2.y, s.label2.text_color);

    float block_y = cy + s.tileset_y_from_mid;
    for (int k = 0; k < win2_tile_count; k++) {
        float scale = win2_tile_scales[k];
        if (scale <= 0) continue;
        Vec2 at = win2_tile_offset(k, win2_tile_count, s.tile_size, s.tileset_padding_x,
                                   s.tileset_padding_y);
        push_matrix();
        translate_matrix(cx + at.x, block_y + at.y);
        scale_matrix(scale, scale);
        draw_panel_shape(&look.tile_back, 5, 5, pack_color(0, 0, 0, 32));
        draw_panel_shape(&look.tile_back, 0, 0, pack_color(255, 255, 255, 255));
        draw_picture_in_tile(win2_tile_pictures[k], s.tile_size);
        pop_matrix();
    }

    if (win2_popup_ready) draw_label_color(&look.label3, cx, cy + s.label3.y, s.label3.text_color);
}
