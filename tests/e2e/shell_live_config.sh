#!/usr/bin/env bash
# A game at rest draws nothing, yet answers the first press at once and
# picks up a saved config.txt within about a second; a bg_color under a
# section header does not count; deleting the file changes nothing.
source "$(dirname "$0")/lib.sh"
e2e_setup
: "${GAME_BUILD_DIR:?GAME_BUILD_DIR must name the build directory}"
TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")
"${TOOL[@]}" save "$GAME_RUN/autosave" 1
"$GAME_BUILD_DIR/level-tool" 1 --counts-from "$GAME_RUN/images" \
    --offsets "$GAME_RUN/level_seed_offsets" >"$E2E_DIR/level1" || fail "level-tool failed"
read -r tx ty < <("${TOOL[@]}" clicks "$GAME_RUN/config.txt" "$E2E_DIR/level1" regular)
set_config bg_color "254, 235, 193"
game_start

px=3 py=3
shows() { [ "$(screen_pixel $px $py)" = "$1" ]; }
wait_for "the starting background is $(screen_pixel $px $py)" 10 shows "254,235,193"

# The title counts the frames drawn in each second.
resting() { [[ "$(window_title)" == *"(fps: 0)" ]]; }
wait_for "the game still draws while nothing changes ($(window_title))" 10 resting
# The selection frame shows just above the tile's face.
xdotool mousemove "$tx" "$ty" click 1
framed() { [ "$(screen_pixel "$tx" $((ty - 41)))" = "255,136,0" ]; }
wait_for "the first press at rest showed no selection" 1 framed
wait_for "the game did not come to rest after the bounce ($(window_title))" 5 resting

set_config bg_color "10, 200, 30"
wait_for "the new bg_color did not show (pixel $(screen_pixel $px $py))" 2 shows "10,200,30"

# The same key under a section header matches no game-screen variable.
printf '\n[progress_bar]\nbg_color = 200, 0, 0\n' >>"$GAME_RUN/config.txt"
touch -d '+3 seconds' "$GAME_RUN/config.txt"
sleep 1.5
shows "10,200,30" || fail "a sectioned bg_color changed the background to $(screen_pixel $px $py)"

rm "$GAME_RUN/config.txt"
sleep 1.5
game_is_running || fail "deleting config.txt ended the game"
shows "10,200,30" || fail "deleting config.txt changed the background"

xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS"
echo "ok"
