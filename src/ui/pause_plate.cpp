// pause_plate.cpp - the plate of a paused level: "Paused" and a line on how
// to go on, over the plain background where the board was.
#include "config/config.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/panel.h"
#include "ui/popups.h"
#include "ui/styles.h"
#include "ui/ui_common.h"

namespace {

const char* const TITLE_FONT = "pause_plate_title_font";
const char* const HINT_FONT = "pause_plate_hint_font";

struct PausePlateSettings {
    Vec2 bg_size;
    Color4 bg_color;
    LabelStyle title, hint;  // heights from the plate's centre
};

struct PausePlate {
    PausePlateSettings settings;
    TextLabel title, hint;
    PanelShape plate;
} pause;

void load_fonts() {
    load_style_font(TITLE_FONT, &pause.settings.title);
    load_style_font(HINT_FONT, &pause.settings.hint);
}

void lay_out() {
    const PausePlateSettings& s = pause.settings;
    set_label(&pause.title, TITLE_FONT, s.title.text);
    set_label(&pause.hint, HINT_FONT, s.hint.text);
    create_panel_shape(&pause.plate, s.bg_size.x, s.bg_size.y);
}

void reload_pause_plate() {
    load_fonts();
    lay_out();
}

}  // namespace

void register_pause_plate_settings() {
    PausePlateSettings& s = pause.settings;
    config_begin_section("pause_plate");
    register_size("bg_size", &s.bg_size);
    register_rgba("bg_color", &s.bg_color);
    register_label_style_keys("title", "rel_y", &s.title);
    register_label_style_keys("hint", "rel_y", &s.hint);
    config_end_section();
    register_reload_callback(reload_pause_plate);
}

void setup_pause_plate() {
    load_fonts();
    init_label(&pause.title, TITLE_FONT);
    init_label(&pause.hint, HINT_FONT);
    lay_out();
}

void draw_pause_plate() {
    const PausePlateSettings& s = pause.settings;
    float cx = (float)(logical_width / 2), cy = (float)(logical_height / 2);
    draw_panel_shape(&pause.plate, cx, cy, packed_color(s.bg_color));
    draw_label_color(&pause.title, cx, cy + s.title.y, s.title.text_color);
    draw_label_color(&pause.hint, cx, cy + s.hint.y, s.hint.text_color);
}
