// click.cpp - placeholder click handling: ignores every click until the
// board's rules are wired in.
#include "board/click.h"

void handle_click(bool is_left, bool is_press, float x, float y) {}
