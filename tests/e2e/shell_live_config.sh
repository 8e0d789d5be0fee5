#!/usr/bin/env bash
# Saving config.txt while the game runs changes the screen within a couple
# of seconds; a bg_color under a section header does not count; deleting
# the file changes nothing.
source "$(dirname "$0")/lib.sh"
e2e_setup
set_config bg_color "254, 235, 193"
game_start

px=3 py=3
shows() { [ "$(screen_pixel $px $py)" = "$1" ]; }
wait_for "the starting background is $(screen_pixel $px $py)" 10 shows "254,235,193"

set_config bg_color "10, 200, 30"
wait_for "the new bg_color did not show (pixel $(screen_pixel $px $py))" 4 shows "10,200,30"

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
