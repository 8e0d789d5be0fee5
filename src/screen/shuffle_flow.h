// shuffle_flow.h - the shuffle as the player sees it: the board's rules
// rearrange the tiles (board/shuffle), their drawing records follow them
// and every tile slides from its old cell to its new one.
#pragma once

// The whole shuffle: running cell animations settled, the selection
// dropped, the cells shuffled, sprites moved with their tiles, the slide
// started. Returns the number of passes the rules made.
int shuffle_board();

// The slide of every tile from where its sprite stands to its new home and
// the "shuffle" sound. The sprites' x/y hold the old positions on entry.
void start_shuffle_animation();
