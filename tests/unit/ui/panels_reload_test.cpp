// panels_reload_test.cpp - a config re-read rebuilds the four panels'
// fonts, labels and shapes in place: new sizes and texts take effect and
// no record is left behind, however often it happens.
#include "render/font.h"
#include "unit/ui/panels_fixture.h"

namespace {

class PanelsReload : public PanelsTest {
protected:
    void SetUp() override {
        PanelsTest::SetUp();
        std::error_code error;
        std::filesystem::create_directory_symlink(std::string(GAME_RUN_DIR) + "/fonts", "fonts",
                                                  error);
        ASSERT_FALSE(error) << error.message();
        apply(fonts_config(30));
        setup_menu_panel();
        setup_progress_panel();
        setup_help_popup();
        setup_settings_popup();
    }
    void TearDown() override {
        clear_labels();
        clear_panel_shapes();
        clear_fonts();
        PanelsTest::TearDown();
    }

    static std::string fonts_config(int size) {
        std::string s = std::to_string(size);
        return "[menu_panel]\nbutton_font_fn = arialbd.ttf\nbutton_font_size = " + s +
               "\nshuffle_button_text = Mix\n\n"
               "[progress_panel]\ntitle_font_fn = arialbd.ttf\ntitle_font_size = " + s +
               "\nbg_size = 400, " + s + "\n\n"
               "[help_popup]\ntitle_font_fn = arialbd.ttf\ntitle_font_size = " + s +
               "\npage_label_font_fn = arialbd.ttf\npage_label_font_size = " + s +
               "\nnext_button_font_fn = arialbd.ttf\nnext_button_font_size = " + s +
               "\nclose_button_font_fn = arialbd.ttf\nclose_button_font_size = " + s +
               "\nsolve_font_fn = arialbd.ttf\nsolve_font_size = " + s + "\n\n"
               "[settings_popup]\ntitle_font_fn = arialbd.ttf\ntitle_font_size = " + s +
               "\nrow_font_fn = arialbd.ttf\nrow_font_size = " + s +
               ".6\nclose_button_font_fn = arialbd.ttf\nclose_button_font_size = " + s + "\n";
    }
    static void apply(const std::string& text) { apply_config_text(text.c_str(), text.size()); }
    static void reload(const std::string& text) {
        config_reloading = true;
        apply(text);
        config_reloading = false;
    }
};

const char* const PANEL_FONTS[] = {
    "menu_panel_button_font",       "progress_panel_title_font",
    "help_popup_title_font",        "help_popup_page_label_font",
    "help_popup_next_button_font",  "help_popup_close_button_font",
    "help_popup_solve_font",        "settings_popup_title_font",
    "settings_popup_row_font",      "settings_popup_close_button_font",
};

}  // namespace

TEST_F(PanelsReload, EveryPanelFontIsThereAtItsSize) {
    for (const char* name : PANEL_FONTS) {
        Font* font = find_font(name);
        ASSERT_NE(font, nullptr) << name;
        EXPECT_EQ(font->size, 30) << name;
    }
}

TEST_F(PanelsReload, AReloadAppliesNewSizesWithoutLeavingRecordsBehind) {
    const int fonts = font_count, labels = label_count(), shapes = panel_shape_count();
    for (int size : {24, 40, 24}) {
        reload(fonts_config(size));
        EXPECT_EQ(font_count, fonts);
        EXPECT_EQ(label_count(), labels);
        EXPECT_EQ(panel_shape_count(), shapes);
        for (const char* name : PANEL_FONTS) {
            Font* font = find_font(name);
            ASSERT_NE(font, nullptr) << name;
            EXPECT_EQ(font->size, size) << name;
        }
    }
}
