// game_screen_stub.cpp - a bare game screen: the configured background and
// nothing else. Lets the shell run before the real screen exists.
#include "config/settings.h"
#include "render/draw.h"
#include "screen/game_screen.h"

void load_game_assets() {}

void reload_game_screen() {}

void draw_game_screen() {
    draw_rect(0, 0, logical_width, logical_height, bg_color.r, bg_color.g, bg_color.b, 255);
}
