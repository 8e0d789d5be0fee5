#!/usr/bin/env bash
# Started from another working directory, or through a link placed
# elsewhere, the game still reads the config.txt beside its executable.
source "$(dirname "$0")/lib.sh"
e2e_setup
set_config bg_color "200, 60, 120"

elsewhere="$E2E_DIR/elsewhere"
mkdir "$elsewhere"
# A decoy that must not be read.
printf 'bg_color = 0, 0, 0\n' >"$elsewhere/config.txt"
ln -s "$GAME_BIN" "$elsewhere/game-link"

shows_own_config() { [ "$(screen_pixel 3 3)" = "200,60,120" ]; }
for bin in "$GAME_BIN" "$elsewhere/game-link"; do
    game_start "$elsewhere" "$bin"
    wait_for "started as $bin from $elsewhere the background is $(screen_pixel 3 3)" 10 shows_own_config
    xdotool key --window "$GAME_WID" q
    game_wait_exit
    [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS"
done
[ ! -e "$elsewhere/tmp" ] || fail "the game wrote its font cache into the working directory"
echo "ok"
