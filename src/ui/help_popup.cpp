// help_popup.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
#include "config/config.h"
Color4 help_ghost_tile_bg_color;
Color4 help_ghost_line_color;
float help_ghost_line_size;
void register_help_popup_settings() {}
void setup_help_popup() {}
bool help_popup_click(float, float) { return false; }
void draw_help_popup() {}
