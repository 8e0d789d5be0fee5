// styles.h - the records the popups and panels share for their labels and
// buttons, and the one way each registers its config keys.
//
// A label's keys all start with its prefix: "<prefix>_text",
// "<prefix>_text_color", "<prefix>_font_fn", "<prefix>_font_size" and one
// for its height, whose name says where it is counted from
// ("<prefix>_y_from_mid", "<prefix>_y_from_top", "<prefix>_rel_y", ...).
// A button adds "<prefix>_size" and "<prefix>_color" for its shape.
#pragma once

#include <cstdint>

#include "config/config.h"

struct LabelStyle {
    char text[CONFIG_TEXT_SIZE];
    Color4 text_color;
    char font_fn[CONFIG_TEXT_SIZE];
    uint8_t font_size;
    float y;  // from whatever the height key names
};

// A caption on a rounded shape (a button, or the plate behind a title).
struct ButtonStyle {
    LabelStyle caption;
    Vec2 size;
    Color4 color;
};

// In the current section; y_key is the height key without the prefix.
void register_label_style_keys(const char* prefix, const char* y_key, LabelStyle* style);
// The caption's keys, then "<prefix>_size" and "<prefix>_color".
void register_button_style_keys(const char* prefix, const char* y_key, ButtonStyle* style);

// The style's font registered under font_name, replacing an older one of
// that name: what both the setup and the reload of a popup do per font.
void load_style_font(const char* font_name, const LabelStyle* style);
