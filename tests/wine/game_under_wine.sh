#!/usr/bin/env bash
# game.exe under Wine plays like the Linux program, in three starts:
#   1. started from another directory, with the audio captured to a file:
#      the window "game" appears, its title counts frames, an edit of
#      config.txt shows within about a second, the music fades in, Q ends
#      it with status 0, "autosave" and the font cache sit beside game.exe,
#      and level 1's board is the Linux program's;
#   2. a pair of level 1 pressed with the mouse, then Q: the pair is gone
#      from the saved board;
#   3. restarted and killed outright: the saved board, pair still gone,
#      is whole and valid.
# Needs GAME_HOST_RUN_DIR (a Linux build's run directory, for its game and
# level-tool) and the Wine set-up of tests/wine/CMakeLists.txt.
export GAME_EXE=game.exe GAME_LAUNCHER=${GAME_WINE:?}
source "$(dirname "$0")/../e2e/lib.sh"
: "${GAME_HOST_RUN_DIR:?GAME_HOST_RUN_DIR must name a Linux build run directory}"
e2e_setup
SAVE_TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/save_tool.py")
BOARD_TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")
saved() { "${SAVE_TOOL[@]}" check "$GAME_RUN/autosave" "$GAME_RUN/images"; }

# --- 1. From elsewhere, sound to a file ------------------------------------------
"${SAVE_TOOL[@]}" fresh "$GAME_RUN/autosave" 1
mkdir "$E2E_DIR/elsewhere"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="Z:$E2E_DIR/stream.raw"
game_start "$E2E_DIR/elsewhere"
px=3 py=3
shows() { [ "$(window_pixel $px $py)" = "$1" ]; }
colour=$(sed -n 's/^bg_color *= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1,\2,\3/p' "$GAME_RUN/config.txt" | head -n 1)
wait_for "the background $colour did not show (pixel $(window_pixel $px $py))" 20 shows "$colour"
counted() { [[ "$(window_title)" =~ ^game\ \(fps:\ [0-9]+\)$ ]]; }
wait_for "the title never counted frames ($(window_title))" 10 counted
sleep 1  # the config file's check is due; the edit below is then new
set_config bg_color "10, 200, 30"
wait_for "the new bg_color did not show (pixel $(window_pixel $px $py))" 2 shows "10,200,30"
sleep 1.5  # the music's fade is over
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended game.exe with status $GAME_STATUS"
unset SDL_DISKAUDIOFILE
export SDL_AUDIODRIVER=dummy
[ ! -e "$E2E_DIR/elsewhere/autosave" ] && [ ! -e "$E2E_DIR/elsewhere/tmp" ] ||
    fail "game.exe wrote into the directory it was started from"
windows_board=$(saved) || fail "game.exe left no valid autosave beside itself: $windows_board"
ls "$GAME_RUN"/tmp/font.* >/dev/null 2>&1 || fail "game.exe kept no font cache beside itself"

# The captured stream: the music fading in, as tests/e2e/audio_music_fade.sh
# checks it on Linux.
sed -n '/^\/usr\/bin\/python3 - "\$SDL_DISKAUDIOFILE"/,/^PY$/p' "$E2E_SOURCE_DIR/tests/e2e/audio_music_fade.sh" |
    sed '1d;$d' >"$E2E_DIR/fade.py"
[ -s "$E2E_DIR/fade.py" ] || fail "no stream check found in audio_music_fade.sh"
/usr/bin/python3 "$E2E_DIR/fade.py" "$E2E_DIR/stream.raw" || fail "the captured stream is not the music fading in"

# The Linux program deals the same level 1.
cp -rL "$GAME_HOST_RUN_DIR" "$E2E_DIR/linux"
rm -rf "$E2E_DIR/linux/autosave" "$E2E_DIR/linux/tmp"
"${SAVE_TOOL[@]}" fresh "$E2E_DIR/linux/autosave" 1
(cd "$E2E_DIR/linux" && SDL_AUDIODRIVER=dummy ./game) >>"$GAME_LOG" 2>&1 &
linux_pid=$!
linux_wid=""
for _ in $(seq 1 100); do
    linux_wid=$(xdotool search --onlyvisible --pid "$linux_pid" 2>/dev/null | head -n 1) && [ -n "$linux_wid" ] && break
    sleep 0.1
done
[ -n "$linux_wid" ] || fail "the Linux game showed no window"
sleep 1
xdotool key --window "$linux_wid" q
wait "$linux_pid" || fail "the Linux game ended with status $?"
linux_board=$("${SAVE_TOOL[@]}" check "$E2E_DIR/linux/autosave" "$E2E_DIR/linux/images") ||
    fail "the Linux game saved no valid board: $linux_board"
[ "$windows_board" = "$linux_board" ] ||
    fail "level 1 differs: Windows '$windows_board', Linux '$linux_board'"

# --- 2. A pair pressed ------------------------------------------------------------
"$GAME_HOST_RUN_DIR/../level-tool" 1 --counts-from "$GAME_RUN/images" \
    --offsets "$GAME_RUN/level_seed_offsets" >"$E2E_DIR/level1" || fail "level-tool failed"
mapfile -t clicks < <("${BOARD_TOOL[@]}" clicks "$GAME_RUN/config.txt" "$E2E_DIR/level1" regular)
[ "${#clicks[@]}" -ge 4 ] || fail "level 1 has fewer than two pairs"
tiles_before=$("${BOARD_TOOL[@]}" field "$GAME_RUN/autosave" tiles)
game_start
# A tile's face shows just above its picture.
tile_face() { [ "$(window_pixel "$1" $(($2 - 36)))" = "255,255,255" ]; }
wait_for "level 1's first tile never showed" 20 tile_face ${clicks[0]}
window_click ${clicks[0]}
sleep 0.3
window_click ${clicks[1]}
sleep 1
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q ended game.exe with status $GAME_STATUS"
saved >/dev/null || fail "the autosave after a pair is not valid"
tiles_after=$("${BOARD_TOOL[@]}" field "$GAME_RUN/autosave" tiles)
[ "$tiles_after" = $((tiles_before - 2)) ] ||
    fail "the saved board held $tiles_before tiles before the pair and $tiles_after after"
after_pair=$(saved)

# --- 3. Restarted and killed -------------------------------------------------------
game_start
wait_for "level 1's board did not come back" 20 tile_face ${clicks[2]}
sleep 0.5
kill -9 "$GAME_PID"
game_wait_exit
state=$(saved) || fail "the kill left no valid autosave: $state"
[ "$state" = "$after_pair" ] || fail "the restart and kill changed the saved board"
echo "ok: level 1 as on Linux; $tiles_before tiles, $tiles_after after a pair; kept through a kill"
