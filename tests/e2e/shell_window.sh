#!/usr/bin/env bash
# The window: named "game", 540 x 960, the configured background, the frame
# count in its title after a second, and Q ends the game with status 0.
source "$(dirname "$0")/lib.sh"
e2e_setup

# A background nobody would pick by accident proves config.txt was read.
set_config bg_color "12, 140, 200"
game_start

read -r x y width height <<<"$(window_geometry)"
[ "$width" = 540 ] && [ "$height" = 960 ] || fail "window is ${width}x${height}, not 540x960"
case "$(window_title)" in
    game | "game (fps: "*) ;;
    *) fail "unexpected title '$(window_title)'" ;;
esac

title_has_fps() { window_title | grep -Eq '^game \(fps: [1-9][0-9]*\)$'; }
wait_for "the title never showed the frame count" 10 title_has_fps

background_drawn() { [ "$(screen_pixel $((x + 3)) $((y + 3)))" = "12,140,200" ]; }
wait_for "the top-left pixel is $(screen_pixel $((x + 3)) $((y + 3))), not the configured background" 10 background_drawn

# Keys that mean nothing leave the game running.
xdotool key --window "$GAME_WID" Escape Return space w
sleep 0.5
game_is_running || fail "the game ended on a key that means nothing"

xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended the game with status $GAME_STATUS"
echo "ok"
