// menu_panel.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
float menu_panel_scale;
void register_menu_panel_settings() {}
void setup_menu_panel() {}
void open_menu_panel() {}
void close_menu_panel() {}
const char* menu_panel_hit(float, float) { return "close"; }
void menu_panel_action(const char*) {}
void draw_menu_panel() {}
