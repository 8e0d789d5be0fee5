#!/usr/bin/env bash
# A player clears level 1's first pair from the keyboard (arrows and Space),
# switches the music off through Esc, the menu and the settings, and clears
# the rest pair by pair with real mouse presses: the win popup shows, a
# press moves on to level 2 (saved at once), and after Q and a fresh start
# the same level 2 board is back.
source "$(dirname "$0")/lib.sh"
e2e_setup
: "${GAME_BUILD_DIR:?GAME_BUILD_DIR must name the build directory}"
TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")

"${TOOL[@]}" save "$GAME_RUN/autosave" 1
printf '\001' | dd of="$GAME_RUN/autosave" bs=1 seek=4 conv=notrunc status=none  # music on
"$GAME_BUILD_DIR/level-tool" 1 --counts-from "$GAME_RUN/images" \
    --offsets "$GAME_RUN/level_seed_offsets" >"$E2E_DIR/level1" || fail "level-tool failed"
mapfile -t clicks < <("${TOOL[@]}" clicks "$GAME_RUN/config.txt" "$E2E_DIR/level1" regular)
[ "${#clicks[@]}" -ge 2 ] || fail "no pairs to click in level 1"

game_start
white="255,255,255"
# A tile's face shows just above its picture.
read -r -a first <<<"${clicks[0]}"
tile_face() { [ "$(screen_pixel "${first[0]}" $((first[1] - 36)))" = "$white" ]; }
wait_for "level 1's first tile never showed" 15 tile_face

# The cursor shows on the top-left inner cell with the first arrow.
read -r a b width < <("${TOOL[@]}" clicks "$GAME_RUN/config.txt" "$E2E_DIR/level1" regular cells)
cursor_to() {
    local col=$(($1 % width)) row=$(($1 / width)) keys=()
    for _ in $(seq 2 "$col"); do keys+=(Right); done
    for _ in $(seq 2 "$row"); do keys+=(Down); done
    local home=(Up Up Up Up Up Up Up Up Left Left Left Left Left Left Left Left)
    xdotool key --window "$GAME_WID" --delay 60 "${home[@]}" "${keys[@]}" space
}
xdotool key --window "$GAME_WID" Right
cursor_to "$a"
cursor_to "$b"
gone() { [ "$(screen_pixel "${first[0]}" $((first[1] - 36)))" != "$white" ]; }
wait_for "the keyboard did not remove the first pair" 5 gone
# Menu, then its third button (settings), then the music switch.
xdotool key --window "$GAME_WID" --delay 300 Escape Down Down Return Return
music_off() { [ "$("${TOOL[@]}" field "$GAME_RUN/autosave" music)" = 0 ]; }
wait_for "Enter on the settings' music row did not switch the music off" 5 music_off
xdotool key --window "$GAME_WID" Escape
read -r -a second <<<"${clicks[2]}"
board_back() { [ "$(screen_pixel "${second[0]}" $((second[1] - 36)))" = "$white" ]; }
wait_for "Esc did not close the settings" 5 board_back

for point in "${clicks[@]:2}"; do
    read -r x y <<<"$point"
    xdotool mousemove "$x" "$y" click 1
    sleep 0.25
done

# The win popup's orange plate, left of its title.
plate() { [ "$(screen_pixel 80 310)" = "247,168,40" ]; }
wait_for "no win popup after clearing the board (pixel $(screen_pixel 80 310))" 10 plate
for point in "${clicks[@]}"; do
    read -r x y <<<"$point"
    [ "$(screen_pixel "$x" "$y")" != "$white" ] || fail "a tile is still there at $x,$y"
done

xdotool mousemove 270 800 click 1
saved_level() { [ "$("${TOOL[@]}" field "$GAME_RUN/autosave" level)" = 2 ]; }
wait_for "the autosave never reached level 2" 10 saved_level
no_plate() { [ "$(screen_pixel 80 310)" != "247,168,40" ]; }
wait_for "the win popup stayed open" 5 no_plate

# Level 2's board, once nothing moves any more.
"$GAME_BUILD_DIR/level-tool" 2 --counts-from "$GAME_RUN/images" \
    --offsets "$GAME_RUN/level_seed_offsets" >"$E2E_DIR/level2"
read -r cx cy <<<"$("${TOOL[@]}" cell "$GAME_RUN/config.txt" "$E2E_DIR/level2" regular 7)"
level2_face() { [ "$(screen_pixel "$cx" $((cy - 36)))" = "$white" ]; }
wait_for "level 2's board did not show" 10 level2_face
sleep 0.5
screenshot "$E2E_DIR/before.png"

xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended the game with status $GAME_STATUS"
[ "$("${TOOL[@]}" field "$GAME_RUN/autosave" level)" = 2 ] || fail "the quit lost level 2"
[ "$("${TOOL[@]}" field "$GAME_RUN/autosave" width)" != 11 ] || fail "the quit saved no board"

game_start
wait_for "level 2's board did not come back" 15 level2_face
sleep 0.5
screenshot "$E2E_DIR/after.png"
# Header and board: the same pictures in the same places (the title bar and
# the frame counter are outside the window's pixels).
for shot in before after; do
    /usr/bin/convert "$E2E_DIR/$shot.png" -crop 540x900+0+0 +repage "PNG24:$E2E_DIR/$shot-crop.png"
done
differ=$(/usr/bin/compare -metric AE "$E2E_DIR/before-crop.png" "$E2E_DIR/after-crop.png" null: 2>&1 || true)
[ "${differ%% *}" -lt 50 ] 2>/dev/null || fail "the restarted board differs in $differ pixels"

xdotool key --window "$GAME_WID" q
game_wait_exit
echo "ok"
