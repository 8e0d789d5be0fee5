// key_focus.cpp - the keyboard's focus: which button is highlighted, whether
// it shows, and the one outline style of the cursor and the highlights.
#include "ui/key_focus.h"

#include "render/primitives.h"

KeyFocus key_focus;
KeyFocusStyle key_focus_style;

uint8_t step_item(uint8_t item, int delta, uint8_t count) {
    int next = item + delta;
    if (next < 0) next = 0;
    if (next >= count) next = count - 1;
    return (uint8_t)next;
}

bool show_key_focus() {
    bool was_shown = key_focus.shown;
    key_focus.shown = true;
    return was_shown;
}

void hide_key_focus() {
    key_focus.shown = false;
}

void step_menu_item(int delta) {
    key_focus.menu_item = step_item(key_focus.menu_item, delta, MENU_ITEM_COUNT);
}

void step_settings_item(int delta) {
    key_focus.settings_item = step_item(key_focus.settings_item, delta, SETTINGS_ITEM_COUNT);
}

void reset_menu_item() {
    key_focus.menu_item = MENU_ITEM_SHUFFLE;
}

void reset_settings_item() {
    key_focus.settings_item = SETTINGS_ITEM_MUSIC;
}

void draw_focus_outline(float cx, float cy, float width, float height) {
    const KeyFocusStyle& s = key_focus_style;
    float w = width + 2 * s.padding, h = height + 2 * s.padding;
    draw_rect_outline(cx - w / 2, cy - h / 2, w, h, s.stroke_size, s.color.r, s.color.g, s.color.b,
                      s.color.a);
}

void register_key_focus_settings() {
    config_begin_section("key_focus");
    register_rgba("color", &key_focus_style.color);
    register_number("stroke_size", &key_focus_style.stroke_size);
    register_number("padding", &key_focus_style.padding);
    config_end_section();
}
