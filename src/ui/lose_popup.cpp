// lose_popup.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
float lose_popup_scale;
void register_lose_popup_settings() {}
void setup_lose_popup() {}
void open_lose_popup() {}
void lose_popup_click() {}
void draw_lose_popup() {}
