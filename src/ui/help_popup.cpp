// help_popup.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
void register_help_popup_settings() {}
void setup_help_popup() {}
bool help_popup_click(float, float) { return false; }
void draw_help_popup() {}
