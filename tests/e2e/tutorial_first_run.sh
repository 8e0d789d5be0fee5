#!/usr/bin/env bash
# A first start opens the tutorial over level 1. Clearing its three boards
# with real clicks offers the close button; after closing, the menu leads
# to the settings, where the music is switched off. Q quits. The saved
# progress then says the tutorial is done and the music off, and the next
# start goes straight to the level. On a small screen (XVFB_SCREEN, the ctest
# ...small_screen) the window fits it and everything is pressed where it is
# drawn, shrunk by the window's height over 960.
source "$(dirname "$0")/lib.sh"
e2e_setup
CONFIG="$GAME_RUN/config.txt"

# cfg SECTION KEY [FIELD]: a value of config.txt ("" for no section).
cfg() {
    awk -v section="$1" -v key="$2" -v field="${3:-1}" '
        /^\[/ { current = substr($0, 2, index($0, "]") - 2); next }
        /^[ \t]*$/ { current = ""; next }
        current == section && $0 ~ "^[ \t]*" key "[ \t]*=" {
            value = substr($0, index($0, "=") + 1)
            split(value, parts, ",")
            v = parts[field]; gsub(/[ \t]/, "", v); print v; exit
        }' "$CONFIG"
}
calc() { awk "BEGIN { printf \"%d\", $1 }"; }

W=540 H=960
HEADER=$(cfg "" default_header_height)
FOOTER=$(cfg "" default_footer_height)
PAD=$(cfg "" padding_between_tiles)

# Window point of a cell of a practice board (6 columns, ROWS rows).
cell_xy() {
    local rows=$1 cell=$2
    awk -v rows="$rows" -v cell="$cell" -v w="$W" -v h="$H" -v header="$HEADER" \
        -v footer="$FOOTER" -v pad="$PAD" 'BEGIN {
        s = w / (6 * 80 - 40); room = h - header - footer; if (room < 0) room = 0
        if (room / (rows * 80 - 40) < s) s = room / (rows * 80 - 40); if (s > 1) s = 1
        c = cell % 6; r = int(cell / 6)
        x = c * (80 + pad) - 6 * 40 - 5 * pad / 2 + 40
        y = r * (80 + pad) - rows * 40 - (rows - 1) * pad / 2 + 40
        printf "%d %d", x * s + w / 2, y * s + h / 2 + (header - footer) / 2 }'
}
S=1  # drawn pixels per logical pixel
click_at() {
    xdotool mousemove "$(calc "$1 * $S")" "$(calc "$2 * $S")" click 1
    sleep 0.15
}
click_cell() { click_at $(cell_xy "$1" "$2"); }
colour() { echo "$(cfg "$1" "$2" 1),$(cfg "$1" "$2" 2),$(cfg "$1" "$2" 3)"; }
pixel_is() { [ "$(screen_pixel "$(calc "$1 * $S")" "$(calc "$2 * $S")")" = "$3" ]; }
cell_is() { pixel_is $(cell_xy "$1" "$2") "$3"; }

BACKGROUND=$(colour "" bg_color)
WALL=$(colour help_popup ghost_tile_bg_color)
MENU_X=$(calc "$W + $(cfg "" menu_button_rel_pos 1) - $(cfg "" menu_button_size 1) / 2")
MENU_Y=$(calc "$(cfg "" menu_button_size 2) / 2 + $(cfg "" menu_button_rel_pos 2)")
MENU_COLOUR=$(colour "" menu_button_color)
CLOSE_Y=$(calc "$H + $(cfg help_popup close_button_y_from_bottom)")
CLOSE_X=$(calc "$W / 2 - $(cfg help_popup close_button_size 1) / 2 + 8")
CLOSE_COLOUR=$(colour help_popup close_button_color2)

[ -e "$GAME_RUN/autosave" ] && fail "the copied run directory already has an autosave"
game_start
read -r SCREEN_W SCREEN_H <<<"$(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')"
read -r X0 Y0 WW WH <<<"$(window_geometry)"
[ $((X0 + WW)) -le "$SCREEN_W" ] && [ $((Y0 + WH)) -le "$SCREEN_H" ] && [ "$X0" -ge 0 ] ||
    fail "the ${WW}x${WH} window at $X0,$Y0 does not fit the ${SCREEN_W}x${SCREEN_H} screen"
S=$(awk "BEGIN { print $WH / 960 }")

# The tutorial's first board, drawn without the level's header.
wait_for "no wall of the first practice board (cell 7 shows $(screen_pixel $(cell_xy 6 7)))" 10 \
    cell_is 6 7 "$WALL"
pixel_is "$MENU_X" "$MENU_Y" "$BACKGROUND" || fail "the menu button shows during the tutorial"

# Board 1: the pears first, then the apples along the straight line.
click_cell 6 20; click_cell 6 21; click_cell 6 13; click_cell 6 16
# Board 2 has a wall where board 1 had an apple.
wait_for "the second board did not come" 5 cell_is 6 16 "$WALL"
click_cell 6 14; click_cell 6 22; click_cell 6 9; click_cell 6 19
# Board 3 is a row taller, with a wall under the right-hand pear's left.
wait_for "the third board did not come" 5 cell_is 7 27 "$WALL"
pixel_is "$CLOSE_X" "$CLOSE_Y" "$CLOSE_COLOUR" && fail "close offered before the last board is clear"
click_cell 7 26; click_cell 7 28; click_cell 7 13; click_cell 7 16
wait_for "no close button after the last board" 5 pixel_is "$CLOSE_X" "$CLOSE_Y" "$CLOSE_COLOUR"
click_at $(calc "$W / 2") "$CLOSE_Y"
wait_for "the level did not come back" 5 pixel_is "$MENU_X" "$MENU_Y" "$MENU_COLOUR"

# Menu, then settings, then the music switch.
click_at "$MENU_X" "$MENU_Y"
PANEL_X=$(calc "$W + $(cfg menu_panel top_right_offset 1) - $(cfg menu_panel bg_size 1) / 2")
SETTINGS_Y=$(calc "$(cfg menu_panel top_right_offset 2) + $(cfg menu_panel settings_button_y_from_top)")
wait_for "the menu did not open" 5 pixel_is "$(calc "$PANEL_X - $(cfg menu_panel settings_button_size 1) / 2 + 6")" \
    "$SETTINGS_Y" "$(colour menu_panel settings_button_color)"
click_at "$PANEL_X" "$SETTINGS_Y"
SWITCH_X=$(calc "$W / 2 + $(cfg settings_popup row_toggle_x_offset) - $(cfg settings_popup row_toggle_size 1) / 2")
MUSIC_Y=$(calc "$H / 2 + $(cfg settings_popup music_y_from_mid)")
KNOB_RIGHT=$(calc "$SWITCH_X + $(cfg settings_popup row_toggle_size 1) / 4")
wait_for "the settings did not open with the music on" 5 \
    pixel_is "$KNOB_RIGHT" "$MUSIC_Y" "$(colour settings_popup row_toggle_color_mover_on)"
click_at "$SWITCH_X" "$MUSIC_Y"
wait_for "the music switch did not turn off" 5 \
    pixel_is "$KNOB_RIGHT" "$MUSIC_Y" "$(colour settings_popup row_toggle_color_bg_off)"

xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS"

[ -f "$GAME_RUN/autosave" ] || fail "no autosave written"
bytes=($(od -An -tu1 -N5 "$GAME_RUN/autosave"))
[ "${bytes[3]}" = 1 ] || fail "tutorial_done is ${bytes[3]} in the autosave"
[ "${bytes[4]}" = 0 ] || fail "music is ${bytes[4]} in the autosave"

# The next start shows the level at once.
game_start
wait_for "the second start did not show the level" 10 pixel_is "$MENU_X" "$MENU_Y" "$MENU_COLOUR"
cell_is 6 7 "$WALL" && fail "the second start opened the tutorial"
xdotool key --window "$GAME_WID" q
game_wait_exit
echo "ok"
