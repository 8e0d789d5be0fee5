// assets.cpp - everything the game screen loads at start-up, in a fixed
// order (later steps use what earlier ones made: shapes need the rounded
// rectangle, labels need their fonts, the level needs its tile set), and
// the reload callback that rebuilds the screen's fonts, labels and shapes
// after config.txt changes.
#include <cstdio>

#include "audio/sounds.h"
#include "board/board.h"
#include "board/progress.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/panel.h"
#include "render/texture.h"
#include "screen/game_screen.h"
#include "screen/game_screen_keys.h"
#include "screen/game_state.h"
#include "screen/labels.h"
#include "screen/level_flow.h"
#include "screen/tile_textures.h"
#include "screen/tutorial_flow.h"
#include "ui/popups.h"

PanelShape tile_face;
PanelShape menu_button_shape;
TextLabel menu_button_label;
TextLabel no_moves_label1, no_moves_label2;

namespace {

// The six fonts that follow config.txt; the menu button's is fixed.
struct ScreenFont {
    const char* name;
    const char* file;
    const uint8_t* size;
};

const ScreenFont screen_fonts[] = {
    {"level_label_font", level_label_settings.font_fn, &level_label_settings.font_size},
    {"challenge_label_font", challenge_label_settings.font_fn, &challenge_label_settings.font_size},
    {"timer_label_font", timer_label_settings.font_fn, &timer_label_settings.font_size},
    {"moves_label_font", moves_label_settings.font_fn, &moves_label_settings.font_size},
    {"no_moves_label1_font", no_moves_settings.label1_font_fn, &no_moves_settings.label1_font_size},
    {"no_moves_label2_font", no_moves_settings.label2_font_fn, &no_moves_settings.label2_font_size},
};

struct ScreenLabel {
    TextLabel* label;
    const char* font;
};

const ScreenLabel screen_labels[] = {
    {&level_label, "level_label_font"},         {&challenge_label, "challenge_label_font"},
    {&timer_label, "timer_label_font"},         {&moves_label, "moves_label_font"},
    {&no_moves_label1, "no_moves_label1_font"}, {&no_moves_label2, "no_moves_label2_font"},
};

void load_screen_fonts() {
    for (const ScreenFont& f : screen_fonts) replace_font(f.name, f.file, *f.size);
}

const char* images_dir() {
    return pixel_scale == 2 ? "images_x2" : "images";
}

}  // namespace

bool load_game_assets() {
    load_image("rounded_rect.png");

    load_screen_fonts();
    load_font("menu_button_font", "arialbd.ttf", 48);

    load_game_sounds();

    load_tile_set_counts(images_dir());
    char why[256];
    if (!tile_sets_usable(why, sizeof why)) {
        fprintf(stderr, "game: %s\n", why);
        return false;
    }

    // The header labels get their texts when the level starts.
    for (const ScreenLabel& l : screen_labels) init_label(l.label, l.font);
    set_label_text(&no_moves_label1, no_moves_settings.label1_text);
    set_label_text(&no_moves_label2, no_moves_settings.label2_text);
    init_label(&menu_button_label, "menu_button_font");
    set_label_text(&menu_button_label, "=");

    create_panel_shape(&tile_face, TILE_SIZE, TILE_SIZE);
    create_panel_shape(&menu_button_shape, menu_button_size.x, menu_button_size.y);

    setup_win_popup();
    setup_win2_popup();
    setup_lose_popup();
    setup_menu_panel();
    setup_progress_panel();
    setup_help_popup();
    setup_settings_popup();
    setup_pause_plate();

    SavedProgress saved = load_progress();  // chooses the level's tile sets too
    load_tile_set(current_set);
    load_level_seed_offsets("level_seed_offsets");

    start_level(&saved);
    if (!tutorial_done) start_tutorial();
    if (music_enabled) start_music();
    return true;
}

void reload_game_screen() {
    delete_panel_shape(&menu_button_shape);
    load_screen_fonts();
    // The header labels keep their texts; the no-moves texts may have changed.
    for (const ScreenLabel& l : screen_labels) set_label(l.label, l.font, l.label->text);
    set_label_text(&no_moves_label1, no_moves_settings.label1_text);
    set_label_text(&no_moves_label2, no_moves_settings.label2_text);
    create_panel_shape(&menu_button_shape, menu_button_size.x, menu_button_size.y);
    rebuild_grid_background();
}
