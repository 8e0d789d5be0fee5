// level_result.h - the one way a level ends. The rules say how it ended
// (won, tile set complete, lost); finish_level turns that into at most one
// result popup.
#pragma once

#include "board/progress.h"

// The win, tile-set complete or lose popup is showing.
bool result_popup_showing();

// Opens the popup of a result other than LEVEL_PLAYING after closing the
// menu and progress panels and dropping the selection. Refused (false)
// while a result popup already shows: a level ends once.
bool finish_level(LevelResult result);
