// help_popup.cpp - the words and buttons over the tutorial's practice
// boards: a title, the current step's lines, the next and close buttons
// and, during the first tutorial, a hint that the board must be cleared.
// Its section also styles the practice boards' walls and demonstration
// line, which the game-screen drawing reads.
#include <cstdio>

#include "audio/sounds.h"
#include "board/progress.h"
#include "board/tutorial.h"
#include "config/config.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/panel.h"
#include "ui/help_popup.h"
#include "ui/popups.h"
#include "ui/styles.h"
#include "ui/ui_common.h"

Color4 help_ghost_tile_bg_color;
Color4 help_ghost_line_color;
float help_ghost_line_size;

namespace {

enum { PAGE_COUNT = 3, PAGE_LINES = 3 };

const char* const TITLE_FONT = "help_popup_title_font";
const char* const PAGE_FONT = "help_popup_page_label_font";
const char* const NEXT_FONT = "help_popup_next_button_font";
const char* const CLOSE_FONT = "help_popup_close_button_font";
const char* const SOLVE_FONT = "help_popup_solve_font";

struct HelpPopupSettings {
    LabelStyle title;
    char page_text[PAGE_COUNT][PAGE_LINES][CONFIG_TEXT_SIZE];
    char page_label_font_fn[CONFIG_TEXT_SIZE];
    uint8_t page_label_font_size;
    Color4 page_label_color;
    float page_labels_y_from_top;
    float page_labels_padding;
    ButtonStyle next_button;
    ButtonStyle close_button;  // its colour keys end in "2"
    LabelStyle solve;
    // Accepted for older config files; nothing draws with them.
    Color4 bg_color;
    Color4 close_button_color;
    Color4 close_button_text_color;
};

struct HelpPopup {
    HelpPopupSettings settings;
    TextLabel title, hint, next_caption, close_caption;
    TextLabel page_lines[PAGE_COUNT][PAGE_LINES];
    PanelShape next_shape, close_shape;
};

HelpPopup help;

float center_x() { return (float)(logical_width / 2); }
float next_button_y() { return logical_height + help.settings.next_button.caption.y; }
float close_button_y() { return logical_height + help.settings.close_button.caption.y; }

void load_fonts() {
    const HelpPopupSettings& s = help.settings;
    load_style_font(TITLE_FONT, &s.title);
    replace_font(PAGE_FONT, s.page_label_font_fn, s.page_label_font_size);
    load_style_font(NEXT_FONT, &s.next_button.caption);
    load_style_font(CLOSE_FONT, &s.close_button.caption);
    load_style_font(SOLVE_FONT, &s.solve);
}

void init_labels() {
    init_label(&help.title, TITLE_FONT);
    init_label(&help.hint, SOLVE_FONT);
    for (int page = 0; page < PAGE_COUNT; page++)
        for (int line = 0; line < PAGE_LINES; line++)
            init_label(&help.page_lines[page][line], PAGE_FONT);
    init_label(&help.next_caption, NEXT_FONT);
    init_label(&help.close_caption, CLOSE_FONT);
}

void lay_out() {
    const HelpPopupSettings& s = help.settings;
    set_label(&help.title, TITLE_FONT, s.title.text);
    set_label(&help.hint, SOLVE_FONT, s.solve.text);
    for (int page = 0; page < PAGE_COUNT; page++)
        for (int line = 0; line < PAGE_LINES; line++)
            set_label(&help.page_lines[page][line], PAGE_FONT, s.page_text[page][line]);
    set_label(&help.next_caption, NEXT_FONT, s.next_button.caption.text);
    set_label(&help.close_caption, CLOSE_FONT, s.close_button.caption.text);
    create_panel_shape(&help.next_shape, s.next_button.size.x, s.next_button.size.y);
    create_panel_shape(&help.close_shape, s.close_button.size.x, s.close_button.size.y);
}

void reload_help_popup() {
    load_fonts();
    lay_out();
}

void draw_text(const TextLabel* label, float y, Color4 c) {
    draw_label_color(label, center_x(), y, c);
}

}  // namespace

int help_page_line_positions(const char* const lines[3], float y_from_top, float padding,
                             float out_y[3], bool out_drawn[3]) {
    for (int line = 0; line < PAGE_LINES; line++) {
        out_drawn[line] = line == 0 || (lines[line] && lines[line][0]);
        out_y[line] = 0;
    }
    int n = out_drawn[0] + out_drawn[1] + out_drawn[2];
    float y = y_from_top - (n - 1) * padding * 0.5f;
    for (int line = 0; line < PAGE_LINES; line++) {
        if (!out_drawn[line]) continue;
        out_y[line] = y;
        y += padding;
    }
    return n;
}

void register_help_popup_settings() {
    HelpPopupSettings& s = help.settings;
    config_begin_section("help_popup");
    register_label_style_keys("title", "y_from_top", &s.title);
    char key[32];
    for (int page = 0; page < PAGE_COUNT; page++) {
        for (int line = 0; line < PAGE_LINES; line++) {
            snprintf(key, sizeof key, "page%d_text%d", page + 1, line + 1);
            register_text(key, s.page_text[page][line]);
        }
    }
    register_text("page_label_font_fn", s.page_label_font_fn);
    register_int8("page_label_font_size", &s.page_label_font_size);
    register_rgba("page_label_color", &s.page_label_color);
    register_number("page_labels_y_from_top", &s.page_labels_y_from_top);
    register_number("page_labels_padding", &s.page_labels_padding);
    register_rgba("ghost_tile_bg_color", &help_ghost_tile_bg_color);
    register_rgba("ghost_line_color", &help_ghost_line_color);
    register_number("ghost_line_size", &help_ghost_line_size);
    register_button_style_keys("next_button", "y_from_bottom", &s.next_button);
    ButtonStyle& close = s.close_button;
    register_text("close_button_text", close.caption.text);
    register_rgba("close_button_text_color2", &close.caption.text_color);
    register_text("close_button_font_fn", close.caption.font_fn);
    register_int8("close_button_font_size", &close.caption.font_size);
    register_number("close_button_y_from_bottom", &close.caption.y);
    register_size("close_button_size", &close.size);
    register_rgba("close_button_color2", &close.color);
    register_label_style_keys("solve", "y_from_bottom", &s.solve);
    register_rgba("bg_color", &s.bg_color);
    register_rgba("close_button_color", &s.close_button_color);
    register_rgba("close_button_text_color", &s.close_button_text_color);
    config_end_section();
    register_reload_callback(reload_help_popup);
}

void setup_help_popup() {
    load_fonts();
    init_labels();
    lay_out();
}

UiAction help_popup_press_next() {
    if (!tutorial_active || !tutorial.next_shown) return UI_NOTHING;
    play_effect("tap");
    return UI_NEXT_TUTORIAL_STEP;
}

UiAction help_popup_press_close() {
    if (!tutorial_active || !tutorial.close_shown) return UI_NOTHING;
    return UI_END_TUTORIAL;  // ending it plays the tap
}

UiAction help_popup_click(float x, float y) {
    const HelpPopupSettings& s = help.settings;
    if (point_in_box(x, y, center_x(), next_button_y(), s.next_button.size.x,
                     s.next_button.size.y)) {
        UiAction next = help_popup_press_next();
        if (next != UI_NOTHING) return next;
    }
    if (point_in_box(x, y, center_x(), close_button_y(), s.close_button.size.x,
                     s.close_button.size.y))
        return help_popup_press_close();
    return UI_NOTHING;
}

void draw_help_popup() {
    const HelpPopupSettings& s = help.settings;
    draw_text(&help.title, s.title.y, s.title.text_color);

    int page = tutorial.step >= 1 && tutorial.step <= PAGE_COUNT ? tutorial.step - 1 : 0;
    const TextLabel* lines = help.page_lines[page];
    const char* const texts[PAGE_LINES] = {lines[0].text, lines[1].text, lines[2].text};
    float ys[PAGE_LINES];
    bool drawn[PAGE_LINES];
    help_page_line_positions(texts, s.page_labels_y_from_top, s.page_labels_padding, ys, drawn);
    for (int line = 0; line < PAGE_LINES; line++)
        if (drawn[line]) draw_text(&lines[line], ys[line], s.page_label_color);

    if (tutorial.next_shown)
        draw_button(&help.next_shape, &help.next_caption, center_x(), next_button_y(),
                    s.next_button.color, s.next_button.caption.text_color);
    if (tutorial.close_shown)
        draw_button(&help.close_shape, &help.close_caption, center_x(), close_button_y(),
                    s.close_button.color, s.close_button.caption.text_color);
    if (!tutorial_done && !tutorial.close_shown)
        draw_text(&help.hint, logical_height + s.solve.y, s.solve.text_color);
}
