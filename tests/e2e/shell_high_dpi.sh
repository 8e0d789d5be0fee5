#!/usr/bin/env bash
# On a screen whose Xft.dpi is 192 the game draws at pixel scale 2: a
# 1080 x 1920 window, text from atlases rasterised at twice the size, tiles
# from images_x2, and presses at a pair's on-screen position remove it.
# Without images_x2's count files it starts at scale 1 as before.
export XVFB_SCREEN=2400x2100x24 XVFB_XFT_DPI=192
source "$(dirname "$0")/lib.sh"
e2e_setup
: "${GAME_BUILD_DIR:?GAME_BUILD_DIR must name the build directory}"
TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")

"${TOOL[@]}" save "$GAME_RUN/autosave" 1
"$GAME_BUILD_DIR/level-tool" 1 --counts-from "$GAME_RUN/images" \
    --offsets "$GAME_RUN/level_seed_offsets" >"$E2E_DIR/level1" || fail "level-tool failed"
mapfile -t clicks < <("${TOOL[@]}" clicks "$GAME_RUN/config.txt" "$E2E_DIR/level1" regular)
[ "${#clicks[@]}" -ge 6 ] || fail "too few pairs in level 1"
# Picture 1 of set 1 turned flat green in images_x2 only: where it shows,
# the tiles come from the double-size pictures.
/usr/bin/convert -size 160x160 "xc:rgb(20,200,60)" "PNG32:$GAME_RUN/images_x2/tiles/01/01.png"
one=$(/usr/bin/python3 -c 'import sys; print(open(sys.argv[1]).read().split().index("1"))' "$E2E_DIR/level1")
read -r gx gy <<<"$("${TOOL[@]}" cell "$GAME_RUN/config.txt" "$E2E_DIR/level1" regular "$one")"

game_start
# The window exists (hidden) at its first size for a moment before it grows.
doubled() { [ "$(window_geometry | cut -d' ' -f3-)" = "1080 1920" ]; }
wait_for "window is $(window_geometry | cut -d' ' -f3-), not 1080 1920" 5 doubled
green() { [ "$(screen_pixel $((gx * 2)) $((gy * 2)))" = "20,200,60" ]; }
wait_for "picture 1 is not the images_x2 one (pixel $(screen_pixel $((gx * 2)) $((gy * 2))))" 15 green
sleep 1  # tiles grown in

# A scale-1 atlas drawn twice as large (nearest texel) repeats every row of
# a label once, whatever the label's place; text rasterised at double size
# does not.
screenshot "$E2E_DIR/x2.png"
fine=""
for phase in 0 1; do
    /usr/bin/convert "$E2E_DIR/x2.png" -crop 600x168+240+$phase +repage "PNG24:$E2E_DIR/text.png"
    /usr/bin/convert "$E2E_DIR/text.png" -sample 100%x50% -sample 100%x200% "PNG24:$E2E_DIR/rows.png"
    d=$(/usr/bin/compare -metric AE "$E2E_DIR/text.png" "$E2E_DIR/rows.png" null: 2>&1 || true)
    d=${d%% *}
    if [ -z "$fine" ] || [ "$d" -lt "$fine" ]; then fine=$d; fi
done
[ "$fine" -gt 300 ] 2>/dev/null || fail "the header text has doubled rows: only $fine pixels differ"
dark=$(/usr/bin/convert "$E2E_DIR/text.png" -colorspace gray -threshold 40% -negate -format '%[fx:mean*w*h]' info:)
[ "${dark%.*}" -gt 2000 ] || fail "no header text in the picture ($dark dark pixels)"
ls "$GAME_RUN"/tmp/font.level_label_font.*.x2 >/dev/null 2>&1 || fail "no scale-2 font cache"

read -r ax ay <<<"${clicks[0]}"
read -r bx by <<<"${clicks[1]}"
[ "$(screen_pixel $((ax * 2)) $(((ay - 36) * 2)))" = "255,255,255" ] || fail "no tile face at the first pair"
xdotool mousemove $((ax * 2)) $((ay * 2)) click 1
sleep 0.25
xdotool mousemove $((bx * 2)) $((by * 2)) click 1
gone() { [ "$(screen_pixel $((bx * 2)) $(((by - 36) * 2)))" != "255,255,255" ]; }
wait_for "the pair pressed at its on-screen position was not removed" 5 gone
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended the game with status $GAME_STATUS"

# Without the double-size count files: scale 1, the same board, and a word
# on stderr. (The place the scale-2 window left behind is forgotten.)
rm "$GAME_RUN/images_x2/tiles/count" "$GAME_RUN/window_place"
game_start
read -r _ _ width height <<<"$(window_geometry)"
[ "$width" = 540 ] && [ "$height" = 960 ] || fail "fallback window is ${width}x${height}, not 540x960"
read -r cx cy <<<"${clicks[2]}"
face() { [ "$(screen_pixel "$cx" $((cy - 36)))" = "255,255,255" ]; }
wait_for "the board did not show at scale 1" 15 face
grep -q 'drawing at pixel scale 1' "$GAME_LOG" || fail "the fallback was not reported"

size_is() { [ "$(window_geometry | cut -d' ' -f3-)" = "$1 $2" ]; }
shrink() { xdotool windowsize "$GAME_WID" "$1" "$2" && wait_for "not $1 $2" 5 size_is "$1" "$2" && sleep 1; }
at() { awk -v v="$1" -v s="$S" 'BEGIN { printf "%d", v * s }'; }
# press_pair I: the pair clicks[I], clicks[I+1] pressed where drawn at S.
press_pair() {
    read -r ax ay bx by <<<"${clicks[$1]} ${clicks[$(($1 + 1))]}"
    xdotool mousemove "$(at "$ax")" "$(at "$ay")" click 1 sleep 0.25 mousemove "$(at "$bx")" "$(at "$by")" click 1
    gone() { [ "$(screen_pixel "$(at "$bx")" "$(at $((by - 36)))")" != "255,255,255" ]; }
    wait_for "pair $1 pressed where drawn at ${S} was not removed" 5 gone
}
sleep 1
x_client import -window "$GAME_WID" "PNG24:$E2E_DIR/full.png"
shrink 432 768
x_client import -window "$GAME_WID" "PNG24:$E2E_DIR/small.png"
/usr/bin/convert "$E2E_DIR/full.png" -resize '432x768!' "PNG24:$E2E_DIR/scaled.png"
d=$(/usr/bin/compare -metric RMSE "$E2E_DIR/small.png" "$E2E_DIR/scaled.png" null: 2>&1 || true)
d=${d#*(}
awk -v d="${d%)*}" 'BEGIN { exit !(d < 0.06) }' ||
    fail "the 432x768 picture is not the 540x960 one shrunk (RMSE ${d%)*})"
S=0.8 press_pair 2
shrink 360 640
S=0.666667 press_pair 4
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended the fallback game with status $GAME_STATUS"
game_start
size_is 360 640 || fail "the window came back at $(window_geometry | cut -d' ' -f3-), not 360 640"
xdotool key --window "$GAME_WID" q
game_wait_exit
echo "ok"
