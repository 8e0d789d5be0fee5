// ui_common.h - the small helpers every panel and popup shares: the button
// hit test (edges count as inside), a config colour packed for
// draw_panel_shape, and labels and buttons drawn in config colours.
#pragma once

#include "config/config.h"
#include "render/font.h"
#include "render/panel.h"

// The box of size (width, height) centred on (cx, cy), edges included.
inline bool point_in_box(float x, float y, float cx, float cy, float width, float height) {
    return cx - width / 2 <= x && x <= cx + width / 2 && cy - height / 2 <= y &&
           y <= cy + height / 2;
}

inline uint32_t packed_color(Color4 c) { return pack_color(c.r, c.g, c.b, c.a); }

inline void draw_label_color(const TextLabel* label, float x, float y, Color4 c) {
    draw_label(label, x, y, c.r, c.g, c.b, c.a);
}

// A button: its shape filled and its caption centred on the same point.
inline void draw_button(const PanelShape* shape, const TextLabel* caption, float x, float y,
                        Color4 fill, Color4 text) {
    draw_panel_shape(shape, x, y, packed_color(fill));
    draw_label_color(caption, x, y, text);
}
