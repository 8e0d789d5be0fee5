// styles.cpp - registering the shared label and button keys.
#include "ui/styles.h"

#include <cstdio>

#include "render/font.h"

namespace {

// "<prefix>_<suffix>"; keys are short, so the buffer is never the limit.
const char* style_key(char* out, size_t capacity, const char* prefix, const char* suffix) {
    snprintf(out, capacity, "%s_%s", prefix, suffix);
    return out;
}

}  // namespace

void register_label_style_keys(const char* prefix, const char* y_key, LabelStyle* style) {
    char key[128];
    register_text(style_key(key, sizeof key, prefix, "text"), style->text);
    register_rgba(style_key(key, sizeof key, prefix, "text_color"), &style->text_color);
    register_text(style_key(key, sizeof key, prefix, "font_fn"), style->font_fn);
    register_int8(style_key(key, sizeof key, prefix, "font_size"), &style->font_size);
    register_number(style_key(key, sizeof key, prefix, y_key), &style->y);
}

void register_button_style_keys(const char* prefix, const char* y_key, ButtonStyle* style) {
    char key[128];
    register_label_style_keys(prefix, y_key, &style->caption);
    register_size(style_key(key, sizeof key, prefix, "size"), &style->size);
    register_rgba(style_key(key, sizeof key, prefix, "color"), &style->color);
}

void load_style_font(const char* font_name, const LabelStyle* style) {
    replace_font(font_name, style->font_fn, style->font_size);
}
