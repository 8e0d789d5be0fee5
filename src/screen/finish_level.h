// finish_level.h - the one way a level ends. The rules say how it ended
// (won, tile set complete, lost); finish_level turns that into at most one
// result popup.
#pragma once

#include "board/level.h"

// The win, tile-set complete or lose popup is showing.
bool result_popup_showing();

// Ends the level with a result other than LEVEL_PLAYING (end_level) and
// opens its popup, after closing the menu and progress panels. Refused
// (false) while a result popup already shows: a level ends once.
bool finish_level(LevelResult result);
