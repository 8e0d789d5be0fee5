// menu_panel.cpp - the small box under the menu button with the shuffle,
// help and settings buttons. It opens together with the progress panel and,
// while open, takes every press: a button runs its action, either panel's
// background keeps both open, anything else closes them.
#include <cstdio>
#include <cstring>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "config/config.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/matrix.h"
#include "render/panel.h"
#include "tween/tween.h"
#include "ui/key_focus.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/progress_panel.h"
#include "ui/styles.h"
#include "ui/ui_common.h"

float menu_panel_scale;

namespace {

const char* const BUTTON_FONT = "menu_panel_button_font";

enum { SHUFFLE_BUTTON, HELP_BUTTON, SETTINGS_BUTTON, MENU_BUTTON_COUNT };
const char* const BUTTON_WORDS[MENU_BUTTON_COUNT] = {"shuffle", "help", "settings"};

struct MenuPanelSettings {
    Vec2 top_right_offset;
    char button_font_fn[CONFIG_TEXT_SIZE];
    uint8_t button_font_size;
    Vec2 bg_size;
    Color4 bg_color;
    float bg_stroke_size;
    Color4 bg_stroke_color;
    // Their captions are drawn in the panel's button font: they have no
    // font keys of their own.
    ButtonStyle buttons[MENU_BUTTON_COUNT];
};

struct MenuPanel {
    MenuPanelSettings settings;
    PanelShape border, background;
    PanelShape button_shapes[MENU_BUTTON_COUNT];
    TextLabel button_labels[MENU_BUTTON_COUNT];
};

MenuPanel menu;

// The panel's centre in window pixels (x counted from the right edge).
float panel_center_x() {
    const MenuPanelSettings& s = menu.settings;
    return logical_width + s.top_right_offset.x - s.bg_size.x / 2;
}
float panel_center_y() {
    const MenuPanelSettings& s = menu.settings;
    return s.top_right_offset.y + s.bg_size.y / 2;
}

void load_fonts() {
    replace_font(BUTTON_FONT, menu.settings.button_font_fn, menu.settings.button_font_size);
}

void init_labels() {
    for (int k = 0; k < MENU_BUTTON_COUNT; k++) init_label(&menu.button_labels[k], BUTTON_FONT);
}

void lay_out() {
    const MenuPanelSettings& s = menu.settings;
    for (int k = 0; k < MENU_BUTTON_COUNT; k++)
        set_label(&menu.button_labels[k], BUTTON_FONT, s.buttons[k].caption.text);
    create_panel_shape(&menu.border, s.bg_size.x + 2 * s.bg_stroke_size,
                       s.bg_size.y + 2 * s.bg_stroke_size);
    create_panel_shape(&menu.background, s.bg_size.x, s.bg_size.y);
    for (int k = 0; k < MENU_BUTTON_COUNT; k++)
        create_panel_shape(&menu.button_shapes[k], s.buttons[k].size.x, s.buttons[k].size.y);
}

void reload_menu_panel() {
    load_fonts();
    lay_out();
}

void register_button(const char* name, ButtonStyle* b) {
    char key[64];
    snprintf(key, sizeof key, "%s_button_y_from_top", name);
    register_number(key, &b->caption.y);
    snprintf(key, sizeof key, "%s_button_size", name);
    register_size(key, &b->size);
    snprintf(key, sizeof key, "%s_button_color", name);
    register_rgba(key, &b->color);
    snprintf(key, sizeof key, "%s_button_text", name);
    register_text(key, b->caption.text);
    snprintf(key, sizeof key, "%s_button_text_color", name);
    register_rgba(key, &b->caption.text_color);
}

}  // namespace

void register_menu_panel_settings() {
    MenuPanelSettings& s = menu.settings;
    config_begin_section("menu_panel");
    register_position("top_right_offset", &s.top_right_offset);
    register_text("button_font_fn", s.button_font_fn);
    register_int8("button_font_size", &s.button_font_size);
    register_size("bg_size", &s.bg_size);
    register_rgba("bg_color", &s.bg_color);
    register_number("bg_stroke_size", &s.bg_stroke_size);
    register_rgba("bg_stroke_color", &s.bg_stroke_color);
    for (int k = 0; k < MENU_BUTTON_COUNT; k++) register_button(BUTTON_WORDS[k], &s.buttons[k]);
    config_end_section();
    register_reload_callback(reload_menu_panel);
}

void setup_menu_panel() {
    load_fonts();
    init_labels();
    lay_out();
}

void open_menu_panel() {
    open_overlay(OVERLAY_MENU_PANEL);
    reset_menu_item();
    stop_tween("menu_panel_scale_up");
    menu_panel_scale = 0;
    start_tween("menu_panel_scale_up", &menu_panel_scale, 0.0f, 1.0f, 0.2f, ease_out_sine);
    play_effect("menu_panel");
    open_progress_panel();
}

void close_menu_panel() {
    close_overlay(OVERLAY_MENU_PANEL);
    stop_tween("menu_panel_scale_up");
    close_progress_panel();
}

const char* menu_panel_hit(float x, float y) {
    const MenuPanelSettings& s = menu.settings;
    float cx = panel_center_x();
    for (int k = 0; k < MENU_BUTTON_COUNT; k++) {
        const ButtonStyle& b = s.buttons[k];
        if (point_in_box(x, y, cx, s.top_right_offset.y + b.caption.y, b.size.x, b.size.y))
            return BUTTON_WORDS[k];
    }
    float right = logical_width + s.top_right_offset.x;
    if (right - s.bg_size.x < x && x < right && s.top_right_offset.y < y &&
        y < s.top_right_offset.y + s.bg_size.y)
        return "bg";
    if (progress_panel_area_hit(x, y)) return "bg";
    return "close";
}

UiAction menu_panel_action(const char* word) {
    if (!word || strcmp(word, "bg") == 0) return UI_NOTHING;
    if (strcmp(word, "shuffle") == 0) {
        close_menu_panel();
        return UI_SHUFFLE;
    }
    if (strcmp(word, "help") == 0) {
        play_effect("tap");
        close_menu_panel();
        return UI_START_TUTORIAL;
    }
    if (strcmp(word, "settings") == 0) {
        play_effect("tap");
        close_menu_panel();
        open_settings_popup();
    } else if (strcmp(word, "close") == 0) {
        play_effect("tap");
        close_menu_panel();
    }
    return UI_NOTHING;
}

UiAction menu_panel_press(uint8_t item) {
    return item < MENU_BUTTON_COUNT ? menu_panel_action(BUTTON_WORDS[item]) : UI_NOTHING;
}

void draw_menu_panel() {
    const MenuPanelSettings& s = menu.settings;
    push_matrix();
    translate_matrix(panel_center_x(), panel_center_y());
    scale_matrix(menu_panel_scale, menu_panel_scale);
    draw_panel_shape(&menu.border, 0, 0, packed_color(s.bg_stroke_color));
    draw_panel_shape(&menu.background, 0, 0, packed_color(s.bg_color));
    for (int k = 0; k < MENU_BUTTON_COUNT; k++) {
        const ButtonStyle& b = s.buttons[k];
        push_matrix();
        translate_matrix(0, b.caption.y - s.bg_size.y / 2);
        draw_button(&menu.button_shapes[k], &menu.button_labels[k], 0, 0, b.color,
                    b.caption.text_color);
        if (key_focus.shown && key_focus.menu_item == k)
            draw_focus_outline(0, 0, b.size.x, b.size.y);
        pop_matrix();
    }
    pop_matrix();
}
