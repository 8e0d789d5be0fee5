// help_popup.h - the help popup's line placement, beyond popups.h.
#pragma once

// Centre y of each of a step's three lines, as a block centred on
// y_from_top; an empty second or third line is skipped and the next takes
// its place. Skipped lines get no position (out_drawn false). Returns the
// number of lines drawn.
int help_page_line_positions(const char* const lines[3], float y_from_top, float padding,
                             float out_y[3], bool out_drawn[3]);
