// settings_popup.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
void register_settings_popup_settings() {}
void setup_settings_popup() {}
void settings_popup_click(float, float) {}
void draw_settings_popup() {}
