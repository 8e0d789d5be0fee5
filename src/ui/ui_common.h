// ui_common.h - the two small helpers every panel and popup shares: the
// button hit test (edges count as inside) and a config colour packed for
// draw_panel_shape.
#pragma once

#include "config/config.h"
#include "render/draw.h"

// The box of size (width, height) centred on (cx, cy), edges included.
inline bool point_in_box(float x, float y, float cx, float cy, float width, float height) {
    return cx - width / 2 <= x && x <= cx + width / 2 && cy - height / 2 <= y &&
           y <= cy + height / 2;
}

inline uint32_t packed_color(Color4 c) { return pack_color(c.r, c.g, c.b, c.a); }
