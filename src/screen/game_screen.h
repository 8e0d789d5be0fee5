// game_screen.h - the game screen as the shell sees it: asset loading at
// start-up, the reload callback run after a live config re-read, and the
// per-frame update and drawing.
#pragma once

// Start-up: fonts, labels, shapes, sounds, tile sets, saved progress, level.
void load_game_assets();
// Run after every live re-read of config.txt (never on the first read).
void reload_game_screen();
// Advances tweens, clocks and events by frame_delta.
void update_game_screen();
// Draws the whole screen; the colour buffer is already cleared.
void draw_game_screen();
