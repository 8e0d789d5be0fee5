// settings_popup.cpp - the music and sounds switches and the close button,
// drawn over the plain background. Every switch saves the progress at once;
// while the popup is open it takes every press, so nothing reaches the board.
#include "audio/sounds.h"
#include "board/board.h"
#include "board/level.h"
#include "board/progress.h"
#include "config/config.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/panel.h"
#include "render/primitives.h"
#include "ui/key_focus.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/styles.h"
#include "ui/ui_common.h"

namespace {

const char* const TITLE_FONT = "settings_popup_title_font";
const char* const ROW_FONT = "settings_popup_row_font";
const char* const CLOSE_FONT = "settings_popup_close_button_font";

struct SettingsPopupSettings {
    LabelStyle title;
    char row_font_fn[CONFIG_TEXT_SIZE];
    float row_font_size;
    Color4 row_text_color;
    float row_text_x_offset;
    float row_toggle_x_offset;
    Vec2 row_toggle_size;
    Color4 row_toggle_color_bg_on, row_toggle_color_bg_off;
    Color4 row_toggle_color_stroke_on, row_toggle_color_stroke_off;
    Color4 row_toggle_color_mover_on, row_toggle_color_mover_off;
    float row_toggle_stroke_size;
    float row_toggle_mover_padding;
    float music_y_from_mid;
    char music_text[CONFIG_TEXT_SIZE];
    float sounds_y_from_mid;
    char sounds_text[CONFIG_TEXT_SIZE];
    ButtonStyle close_button;
    // Accepted but not shown: there is no vibration on the desktop.
    Color4 bg_color;
    float vibrations_y_from_mid;
    char vibrations_text[CONFIG_TEXT_SIZE];
};

struct SettingsPopup {
    SettingsPopupSettings settings;
    TextLabel title, music_caption, sounds_caption, close_caption;
    PanelShape close_shape;
};

SettingsPopup popup;

float center_x() { return (float)(logical_width / 2); }
float row_y(float y_from_mid) { return (float)(logical_height / 2) + y_from_mid; }
float switch_center_x() {
    const SettingsPopupSettings& s = popup.settings;
    return center_x() + s.row_toggle_x_offset - s.row_toggle_size.x / 2;
}
float close_button_y() { return logical_height + popup.settings.close_button.caption.y; }

bool switch_hit(float x, float y, float y_from_mid) {
    const Vec2 size = popup.settings.row_toggle_size;
    return point_in_box(x, y, switch_center_x(), row_y(y_from_mid), size.x, size.y);
}

uint8_t row_font_size() {
    float size = popup.settings.row_font_size;
    return (uint8_t)(size < 0 ? 0 : size > 255 ? 255 : size);
}

void load_fonts() {
    const SettingsPopupSettings& s = popup.settings;
    load_style_font(TITLE_FONT, &s.title);
    replace_font(ROW_FONT, s.row_font_fn, row_font_size());
    load_style_font(CLOSE_FONT, &s.close_button.caption);
}

void init_labels() {
    init_label(&popup.title, TITLE_FONT);
    init_label(&popup.music_caption, ROW_FONT);
    init_label(&popup.sounds_caption, ROW_FONT);
    init_label(&popup.close_caption, CLOSE_FONT);
}

void lay_out() {
    const SettingsPopupSettings& s = popup.settings;
    set_label(&popup.title, TITLE_FONT, s.title.text);
    set_label(&popup.music_caption, ROW_FONT, s.music_text);
    set_label(&popup.sounds_caption, ROW_FONT, s.sounds_text);
    set_label(&popup.close_caption, CLOSE_FONT, s.close_button.caption.text);
    create_panel_shape(&popup.close_shape, s.close_button.size.x, s.close_button.size.y);
}

void reload_settings_popup() {
    load_fonts();
    lay_out();
}

void draw_switch(float y0, bool on) {
    const SettingsPopupSettings& s = popup.settings;
    float x0 = switch_center_x();
    float w = s.row_toggle_size.x, h = s.row_toggle_size.y, pad = s.row_toggle_mover_padding;
    Color4 bg = on ? s.row_toggle_color_bg_on : s.row_toggle_color_bg_off;
    Color4 stroke = on ? s.row_toggle_color_stroke_on : s.row_toggle_color_stroke_off;
    Color4 mover = on ? s.row_toggle_color_mover_on : s.row_toggle_color_mover_off;
    draw_rect(x0 - w / 2, y0 - h / 2, w, h, bg.r, bg.g, bg.b, bg.a);
    draw_rect_outline(x0 - w / 2, y0 - h / 2, w, h, s.row_toggle_stroke_size, stroke.r, stroke.g,
                      stroke.b, stroke.a);
    float knob_x = on ? x0 : x0 - w / 2 + pad;
    draw_rect(knob_x, y0 - h / 2 + pad, w / 2 - pad, h - 2 * pad, mover.r, mover.g, mover.b,
              mover.a);
}

void draw_row(const TextLabel* caption, float y_from_mid, bool on) {
    const SettingsPopupSettings& s = popup.settings;
    float y = row_y(y_from_mid);
    // The caption's left edge sits at the offset.
    float x = center_x() + s.row_text_x_offset + (float)(caption->width / 2);
    draw_label_color(caption, x, y, s.row_text_color);
    draw_switch(y, on);
}

// A row's outline runs from its caption's left to its switch's right edge.
void draw_highlight(uint8_t item) {
    const SettingsPopupSettings& s = popup.settings;
    if (item == SETTINGS_ITEM_CLOSE) {
        draw_focus_outline(center_x(), close_button_y(), s.close_button.size.x,
                           s.close_button.size.y);
        return;
    }
    float y = row_y(item == SETTINGS_ITEM_MUSIC ? s.music_y_from_mid : s.sounds_y_from_mid);
    // The caption starts at the offset: the outline keeps clear of its first letter.
    const float caption_margin = 10;
    float left = center_x() + s.row_text_x_offset - caption_margin;
    float right = switch_center_x() + s.row_toggle_size.x / 2;
    float h = s.row_toggle_size.y > row_font_size() ? s.row_toggle_size.y : row_font_size();
    draw_focus_outline((left + right) / 2, y, right - left, h);
}

}  // namespace

void register_settings_popup_settings() {
    SettingsPopupSettings& s = popup.settings;
    config_begin_section("settings_popup");
    register_label_style_keys("title", "y_from_top", &s.title);
    register_text("row_font_fn", s.row_font_fn);
    register_number("row_font_size", &s.row_font_size);
    register_rgba("row_text_color", &s.row_text_color);
    register_number("row_text_x_offset", &s.row_text_x_offset);
    register_number("row_toggle_x_offset", &s.row_toggle_x_offset);
    register_size("row_toggle_size", &s.row_toggle_size);
    register_rgba("row_toggle_color_bg_on", &s.row_toggle_color_bg_on);
    register_rgba("row_toggle_color_bg_off", &s.row_toggle_color_bg_off);
    register_rgba("row_toggle_color_stroke_on", &s.row_toggle_color_stroke_on);
    register_rgba("row_toggle_color_stroke_off", &s.row_toggle_color_stroke_off);
    register_rgba("row_toggle_color_mover_on", &s.row_toggle_color_mover_on);
    register_rgba("row_toggle_color_mover_off", &s.row_toggle_color_mover_off);
    register_number("row_toggle_stroke_size", &s.row_toggle_stroke_size);
    register_number("row_toggle_mover_padding", &s.row_toggle_mover_padding);
    register_number("music_y_from_mid", &s.music_y_from_mid);
    register_text("music_text", s.music_text);
    register_number("sounds_y_from_mid", &s.sounds_y_from_mid);
    register_text("sounds_text", s.sounds_text);
    register_button_style_keys("close_button", "y_from_bottom", &s.close_button);
    register_rgba("bg_color", &s.bg_color);
    register_number("vibrations_y_from_mid", &s.vibrations_y_from_mid);
    register_text("vibrations_text", s.vibrations_text);
    config_end_section();
    register_reload_callback(reload_settings_popup);
}

void setup_settings_popup() {
    load_fonts();
    init_labels();
    lay_out();
}

void open_settings_popup() {
    // The clock waits while the player is in the settings.
    if (time_challenge) stop_clock();
    open_overlay(OVERLAY_SETTINGS_POPUP);
    reset_settings_item();
}

void settings_popup_press(uint8_t item) {
    if (item == SETTINGS_ITEM_MUSIC) {
        play_effect("toggle");
        set_music_enabled(!music_enabled);
        save_progress();
    } else if (item == SETTINGS_ITEM_SOUNDS) {
        // Heard both ways: before going quiet, after coming back.
        if (sounds_enabled) {
            play_effect("toggle");
            set_sounds_enabled(false);
        } else {
            set_sounds_enabled(true);
            play_effect("toggle");
        }
        save_progress();
    } else if (item == SETTINGS_ITEM_CLOSE) {
        play_effect("tap");
        close_overlay(OVERLAY_SETTINGS_POPUP);
        // The clock runs on, even if no tile had been picked yet, but only
        // while the level is still being played.
        if (time_challenge && level_result() == LEVEL_PLAYING) start_clock();
    }
}

void settings_popup_click(float x, float y) {
    const SettingsPopupSettings& s = popup.settings;
    if (switch_hit(x, y, s.music_y_from_mid))
        settings_popup_press(SETTINGS_ITEM_MUSIC);
    else if (switch_hit(x, y, s.sounds_y_from_mid))
        settings_popup_press(SETTINGS_ITEM_SOUNDS);
    else if (point_in_box(x, y, center_x(), close_button_y(), s.close_button.size.x,
                          s.close_button.size.y))
        settings_popup_press(SETTINGS_ITEM_CLOSE);
}

void draw_settings_popup() {
    const SettingsPopupSettings& s = popup.settings;
    draw_label_color(&popup.title, center_x(), s.title.y, s.title.text_color);
    draw_row(&popup.music_caption, s.music_y_from_mid, music_enabled != 0);
    draw_row(&popup.sounds_caption, s.sounds_y_from_mid, sounds_enabled != 0);
    draw_button(&popup.close_shape, &popup.close_caption, center_x(), close_button_y(),
                s.close_button.color, s.close_button.caption.text_color);
    if (key_focus.shown) draw_highlight(key_focus.settings_item);
}
