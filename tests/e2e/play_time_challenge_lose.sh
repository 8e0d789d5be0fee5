#!/usr/bin/env bash
# A Time Challenge saved with three seconds left: the clock waits for the
# first selected tile, runs out while a tile is held, and the release over
# its partner removes nothing under the lose popup. Quit there: the next
# start shows the lost level again, and only its press restarts the level
# with its full time. Started once more, the clock waits while another
# window has the input focus, and a pause hides the board and stops it. A
# clock above five minutes is read back as saved, and a won challenge's
# clock never runs again under its popup.
source "$(dirname "$0")/lib.sh"
e2e_setup
: "${GAME_BUILD_DIR:?GAME_BUILD_DIR must name the build directory}"
TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")

"$GAME_BUILD_DIR/level-tool" 10 --counts-from "$GAME_RUN/images" \
    --offsets "$GAME_RUN/level_seed_offsets" >"$E2E_DIR/level10" || fail "level-tool failed"
"${TOOL[@]}" save "$GAME_RUN/autosave" 10 "$E2E_DIR/level10" 3
# The first connectable pair of the board.
mapfile -t pair < <("${TOOL[@]}" clicks "$GAME_RUN/config.txt" "$E2E_DIR/level10" time | head -n 2)
read -r tx ty <<<"${pair[0]}"
read -r px py <<<"${pair[1]}"

game_start
face() { [ "$(screen_pixel "$tx" $((ty - 28)))" = "255,255,255" ]; }
wait_for "the saved Time Challenge board did not show" 15 face

plate_colour="108,68,26"
plate() { [ "$(screen_pixel 70 480)" = "$plate_colour" ]; }
# The clock stands still until a tile is selected.
sleep 4
plate && fail "the clock ran before any tile was selected"

xdotool mousemove "$tx" "$ty" mousedown 1
wait_for "no lose popup after the three seconds ran out" 10 plate
xdotool mousemove "$px" "$py" mouseup 1
sleep 0.5
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended the game with status $GAME_STATUS"
[ "$("${TOOL[@]}" field "$GAME_RUN/autosave" level)" = 10 ] || fail "the level changed"
[ "$("${TOOL[@]}" field "$GAME_RUN/autosave" tiles)" = 56 ] ||
    fail "a pair was removed under the lose popup"
[ "$("${TOOL[@]}" field "$GAME_RUN/autosave" time_left)" = 0 ] || fail "the lost clock was not saved at 0"

game_start
wait_for "the lost level did not show its lose popup again" 15 plate
sleep 0.6
xdotool mousemove 270 480 click 1
no_plate() { [ "$(screen_pixel 70 480)" != "$plate_colour" ]; }
wait_for "the lose popup did not close" 5 no_plate
wait_for "the restarted board did not show" 5 face

xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended the game with status $GAME_STATUS"
[ "$("${TOOL[@]}" field "$GAME_RUN/autosave" level)" = 10 ] || fail "the level changed"
left=$("${TOOL[@]}" field "$GAME_RUN/autosave" time_left)
[ "$left" = 120 ] || fail "the restarted Time Challenge kept $left seconds, not its full 120"

game_start
wait_for "the saved full-time board did not show" 15 face
xdotool mousemove "$tx" "$ty" click 1  # the clock runs from here
xdotool key --window "$GAME_WID" p
pause_plate() { [ "$(screen_pixel 70 480)" = "64,84,112" ]; }
wait_for "P showed no pause plate" 5 pause_plate
sleep 5
[ "$(screen_pixel "$tx" $((ty - 28)))" != "255,255,255" ] || fail "the paused board stayed in view"
xdotool key --window "$GAME_WID" q
game_wait_exit
paused_left=$("${TOOL[@]}" field "$GAME_RUN/autosave" time_left)
[ "$paused_left" -ge 119 ] || fail "the clock ran while paused: $paused_left seconds left"

game_start
wait_for "the paused level did not start unpaused" 15 face
xdotool mousemove "$tx" "$ty" click 1  # the clock runs from here
xlogo -geometry 40x40+1000+0 &
other_pid=$!
other=$(xdotool search --sync --name '^xlogo$' | head -n 1)
xdotool windowfocus --sync "$other"
sleep 8
xdotool windowfocus --sync "$GAME_WID"
xdotool key --window "$GAME_WID" q
game_wait_exit
kill "$other_pid" 2>/dev/null || true
left=$("${TOOL[@]}" field "$GAME_RUN/autosave" time_left)
# About a second ran with the focus; the eight seconds away never counted.
[ "$left" -lt "$paused_left" ] || fail "the clock never ran after the tile was selected"
[ "$left" -ge 115 ] || fail "the clock ran on while the window was away: $left seconds left"

# Level 50's 32 pictures give 5:20: a clock saved at 5:14 comes back so.
"$GAME_BUILD_DIR/level-tool" 50 --counts-from "$GAME_RUN/images" >"$E2E_DIR/level50"
"${TOOL[@]}" save "$GAME_RUN/autosave" 50 "$E2E_DIR/level50" 314
read -r tx ty < <("${TOOL[@]}" cell "$GAME_RUN/config.txt" "$E2E_DIR/level50" time 10)
game_start
wait_for "the saved level-50 board did not show" 15 face
xdotool key --window "$GAME_WID" q
game_wait_exit
left=$("${TOOL[@]}" field "$GAME_RUN/autosave" time_left)
[ "$left" = 314 ] || fail "a level-50 clock saved at 5:14 came back with $left seconds"

# The last pair, then the menu's settings within the removal: the result
# closes them, and where their close button was the won clock stays still.
printf '0 0 0 0\n0 1 1 0\n0 0 0 0\n' >"$E2E_DIR/pair"
"${TOOL[@]}" save "$GAME_RUN/autosave" 10 "$E2E_DIR/pair" 60
set_config tile_remove_duration2 1.5  # time for the presses, whatever the load
mapfile -t pair < <("${TOOL[@]}" clicks "$GAME_RUN/config.txt" "$E2E_DIR/pair" time)
read -r tx ty <<<"${pair[0]}"
read -r px py <<<"${pair[1]}"
game_start
wait_for "the last pair did not show" 15 face
xdotool mousemove "$tx" "$ty" click 1 sleep 0.3 mousemove "$px" "$py" click 1 sleep 0.3 \
    mousemove 494 42 click 1 sleep 0.3 mousemove 416 269 click 1 sleep 2 mousemove 270 810 click 1
timer() { screenshot "$E2E_DIR/t.png" && /usr/bin/convert "$E2E_DIR/t.png" -crop 140x36+200+160 rgb:-; }
before=$(timer | md5sum)
sleep 2.5
[ "$(screen_pixel 70 260)" = "206,84,30" ] || fail "no tile-set complete popup after the last pair"
[ "$(timer | md5sum)" = "$before" ] || fail "the timer ran on under the won challenge's popup"
xdotool key --window "$GAME_WID" q
game_wait_exit
echo "ok"
