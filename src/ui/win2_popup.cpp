// win2_popup.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
bool win2_popup_ready;
void register_win2_popup_settings() {}
void setup_win2_popup() {}
void open_win2_popup() {}
void win2_popup_click() {}
void draw_win2_popup() {}
