// win_popup.cpp - the popup of a cleared level: a title on a plate, the
// level's play time, fastest pair and average per pair, and a hint. Any
// press closes it and starts the next level.
#include <cstdio>

#include "audio/sounds.h"
#include "board/progress.h"
#include "config/config.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/panel.h"
#include "ui/overlays.h"
#include "ui/popups.h"
#include "ui/result_popups.h"
#include "ui/ui_common.h"

WinPopupSettings win_popup_settings;

namespace {

const char* const TITLE_FONT = "win_popup_label1_font";
const char* const TABLE_FONT = "win_popup_label2_font";
const char* const HINT_FONT = "win_popup_label9_font";

struct WinPopupLook {
    TextLabel title;
    TextLabel captions[3];
    TextLabel values[3];
    TextLabel hint;
    PanelShape plate;
} look;

char value_texts[3][WIN_POPUP_VALUE_SIZE] = {"-", "-", "-"};

const LabelStyle& row_style(int row) {
    const WinPopupSettings& s = win_popup_settings;
    return row == 0 ? s.label2 : row == 1 ? s.label3 : s.label4;
}

void load_fonts() {
    const WinPopupSettings& s = win_popup_settings;
    load_style_font(TITLE_FONT, &s.label1.caption);
    load_style_font(TABLE_FONT, &s.label2);
    load_style_font(HINT_FONT, &s.label9);
}

void init_labels() {
    init_label(&look.title, TITLE_FONT);
    for (int row = 0; row < 3; row++) {
        init_label(&look.captions[row], TABLE_FONT);
        init_label(&look.values[row], TABLE_FONT);
    }
    init_label(&look.hint, HINT_FONT);
}

void lay_out() {
    const WinPopupSettings& s = win_popup_settings;
    set_label(&look.title, TITLE_FONT, s.label1.caption.text);
    for (int row = 0; row < 3; row++) {
        set_label(&look.captions[row], TABLE_FONT, row_style(row).text);
        set_label(&look.values[row], TABLE_FONT, value_texts[row]);  // they keep their texts
    }
    set_label(&look.hint, HINT_FONT, s.label9.text);
    create_panel_shape(&look.plate, s.label1.size.x, s.label1.size.y);
}

}  // namespace

void format_win_popup_values(float level_time, float best_match_time, uint16_t match_count,
                             char out[3][WIN_POPUP_VALUE_SIZE]) {
    if (level_time == 0 || match_count == 0) {
        for (int row = 0; row < 3; row++) snprintf(out[row], WIN_POPUP_VALUE_SIZE, "-");
        return;
    }
    snprintf(out[0], WIN_POPUP_VALUE_SIZE, "%.2fs", level_time);
    snprintf(out[1], WIN_POPUP_VALUE_SIZE, "%.2fs", best_match_time);
    snprintf(out[2], WIN_POPUP_VALUE_SIZE, "%.2fs", level_time / match_count);
}

const char* win_popup_value_text(int row) {
    return row >= 0 && row < 3 ? value_texts[row] : "";
}

void register_win_popup_settings() {
    WinPopupSettings& s = win_popup_settings;
    config_begin_section("win_popup");
    register_label_style_keys("label1", "y_from_mid", &s.label1.caption);
    register_size("label1_bg_size", &s.label1.size);
    register_rgba("label1_bg_color", &s.label1.color);
    register_label_style_keys("label2", "y_from_mid", &s.label2);
    register_text("label3_text", s.label3.text);
    register_number("label3_y_from_mid", &s.label3.y);
    register_text("label4_text", s.label4.text);
    register_number("label4_y_from_mid", &s.label4.y);
    register_number("table_width", &s.table_width);
    register_label_style_keys("label9", "y_from_mid", &s.label9);
    config_end_section();
    register_reload_callback(reload_win_popup);
}

void setup_win_popup() {
    load_fonts();
    init_labels();
    lay_out();
}

void reload_win_popup() {
    load_fonts();
    lay_out();
}

void open_win_popup() {
    open_overlay(OVERLAY_WIN_POPUP);
    play_effect("win_popup");
    format_win_popup_values(level_time, best_match_time, match_count, value_texts);
    for (int row = 0; row < 3; row++) set_label_text(&look.values[row], value_texts[row]);
}

UiAction win_popup_click() {
    play_effect("tap");
    close_overlay(OVERLAY_WIN_POPUP);
    return UI_NEXT_LEVEL;
}

void draw_win_popup() {
    const WinPopupSettings& s = win_popup_settings;
    float cx = (float)(logical_width / 2);
    float cy = (float)(logical_height / 2);
    float half_table = s.table_width / 2;

    draw_button(&look.plate, &look.title, cx, cy + s.label1.caption.y, s.label1.color,
                s.label1.caption.text_color);

    // Captions hang from the table's left edge, values from its right edge,
    // so a longer value grows leftwards and the captions stay put.
    for (int row = 0; row < 3; row++) {
        float y = cy + row_style(row).y;
        const TextLabel& caption = look.captions[row];
        const TextLabel& value = look.values[row];
        draw_label_color(&caption, cx - half_table + caption.width / 2, y, s.label2.text_color);
        draw_label_color(&value, cx + half_table - value.width / 2, y, s.label2.text_color);
    }

    draw_label_color(&look.hint, cx, cy + s.label9.y, s.label9.text_color);
}
