// lose_popup.cpp - the popup of a Time Challenge whose clock ran out: a
// plate with a title and a button that grows from its centre. After a short
// delay any press restarts the same level.
#include "audio/sounds.h"
#include "board/level.h"
#include "board/progress.h"
#include "config/config.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/matrix.h"
#include "render/panel.h"
#include "tween/tween.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/result_popups.h"
#include "ui/ui_common.h"

LosePopupSettings lose_popup_settings;
float lose_popup_scale;
float lose_popup_input_delay;

namespace {

const char* const TITLE_FONT = "lose_popup_title_font";
const char* const BUTTON_FONT = "lose_popup_button_font";
const float GROW_DURATION = 0.2f;

struct LosePopupLook {
    TextLabel title, button_caption;
    PanelShape plate, button;
} look;

void load_fonts() {
    const LosePopupSettings& s = lose_popup_settings;
    load_style_font(TITLE_FONT, &s.title);
    load_style_font(BUTTON_FONT, &s.button.caption);
}

void init_labels() {
    init_label(&look.title, TITLE_FONT);
    init_label(&look.button_caption, BUTTON_FONT);
}

void lay_out() {
    const LosePopupSettings& s = lose_popup_settings;
    set_label(&look.title, TITLE_FONT, s.title.text);
    set_label(&look.button_caption, BUTTON_FONT, s.button.caption.text);
    create_panel_shape(&look.plate, s.bg_size.x, s.bg_size.y);
    create_panel_shape(&look.button, s.button.size.x, s.button.size.y);
}

}  // namespace

void register_lose_popup_settings() {
    LosePopupSettings& s = lose_popup_settings;
    config_begin_section("lose_popup");
    register_number("offset_y", &s.offset_y);
    register_size("bg_size", &s.bg_size);
    register_rgba("bg_color", &s.bg_color);
    // The title's colour key lacks the "_text" of every other label's.
    register_text("title_text", s.title.text);
    register_text("title_font_fn", s.title.font_fn);
    register_int8("title_font_size", &s.title.font_size);
    register_number("title_rel_y", &s.title.y);
    register_rgba("title_color", &s.title.text_color);
    register_button_style_keys("button", "rel_y", &s.button);
    config_end_section();
    register_reload_callback(reload_lose_popup);
}

void setup_lose_popup() {
    load_fonts();
    init_labels();
    lay_out();
}

void reload_lose_popup() {
    load_fonts();
    lay_out();
}

void count_down_lose_popup_delay(float dt) {
    if (overlay_open(OVERLAY_LOSE_POPUP) && lose_popup_input_delay > 0.0f) lose_popup_input_delay -= dt;
}

void open_lose_popup() {
    stop_clock();
    open_overlay(OVERLAY_LOSE_POPUP);
    lose_popup_scale = 0;
    stop_tween("lose_popup_scale_up");
    start_tween("lose_popup_scale_up", &lose_popup_scale, 0.0f, 1.0f, GROW_DURATION, ease_out_sine);
    play_effect("lose_popup");
    lose_popup_input_delay = LOSE_POPUP_INPUT_DELAY;
}

UiAction lose_popup_click() {
    if (lose_popup_input_delay > 0) return UI_NOTHING;
    close_overlay(OVERLAY_LOSE_POPUP);
    return UI_PLAY_AGAIN;  // the screen plays the tap once the level restarts
}

void draw_lose_popup() {
    const LosePopupSettings& s = lose_popup_settings;
    float cx = (float)(logical_width / 2);
    float cy = (float)(logical_height / 2);

    // Scaled about its own centre, so its parts keep their layout as it grows.
    push_matrix();
    translate_matrix(cx, cy + s.offset_y);
    scale_matrix(lose_popup_scale, lose_popup_scale);
    draw_panel_shape(&look.plate, 0, 0, packed_color(s.bg_color));
    draw_label_color(&look.title, 0, s.title.y, s.title.text_color);
    draw_button(&look.button, &look.button_caption, 0, s.button.caption.y, s.button.color,
                s.button.caption.text_color);
    pop_matrix();
}
