// win_popup.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
void register_win_popup_settings() {}
void setup_win_popup() {}
void open_win_popup() {}
void win_popup_click() {}
void draw_win_popup() {}
