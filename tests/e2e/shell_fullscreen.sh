#!/usr/bin/env bash
# Alt+Enter switches to full screen and back to the same place and size;
# Enter with other modifiers does nothing; Ctrl+Q still quits.
source "$(dirname "$0")/lib.sh"
e2e_setup
game_start

before=$(window_geometry)
read -r _ _ screen_width screen_height <<<"$(xdotool getdisplaygeometry | awk '{print 0, 0, $1, $2}')"

for keys in ctrl+alt+Return shift+alt+Return Return; do
    xdotool key --window "$GAME_WID" "$keys"
    sleep 0.3
    [ "$(window_geometry)" = "$before" ] || fail "$keys changed the window to $(window_geometry)"
done

xdotool key --window "$GAME_WID" alt+Return
is_full_screen() { [ "$(window_geometry)" = "0 0 $screen_width $screen_height" ]; }
wait_for "Alt+Enter did not fill the screen (window at $(window_geometry))" 10 is_full_screen

xdotool key --window "$GAME_WID" alt+Return
is_restored() { [ "$(window_geometry)" = "$before" ]; }
wait_for "the second Alt+Enter left the window at $(window_geometry), not $before" 10 is_restored

game_is_running || fail "the game ended while switching display modes"
xdotool key --window "$GAME_WID" ctrl+q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Ctrl+Q ended the game with status $GAME_STATUS"
echo "ok"
