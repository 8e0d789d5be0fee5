// progress_panel.cpp - placeholder until this popup lands; replaced wholesale.
#include "ui/popups.h"
float progress_panel_offset;
void register_progress_panel_settings() {}
void setup_progress_panel() {}
void open_progress_panel() {}
void close_progress_panel() {}
void draw_progress_panel() {}
