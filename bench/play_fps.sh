#!/usr/bin/env bash
# play_fps.sh - frames a second while the 9 x 10 Time Challenge (level 10)
# is played fast: the real binary under a private Xvfb, a pair removed
# every quarter of a second with real presses (xdotool), the title's frame
# count read once a second meanwhile. Prints every reading and the median.
#
#   bench/play_fps.sh [BUILD_DIR]      (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
FRESH_LEVEL=10
# shellcheck source=../scripts/fresh_game.sh
source "$root/scripts/fresh_game.sh"

sleep 3
"$build/level-tool" 10 --counts-from "$work/run/images" \
    --offsets "$work/run/level_seed_offsets" >"$work/level10"
mapfile -t clicks < <(/usr/bin/python3 "$root/tests/e2e/board_tool.py" clicks \
    "$work/run/config.txt" "$work/level10" time)

# The title as it changes, once a second, while the presses go on.
(while sleep 1; do xdotool getwindowname "$wid"; done) >"$work/titles" 2>/dev/null &
reader=$!
for point in "${clicks[@]}"; do
    read -r x y <<<"$point"
    xdotool mousemove --window "$wid" "$x" "$y" click 1
    sleep 0.125
done
kill "$reader"
xdotool key --window "$wid" q
wait "$game_pid" || true
game_pid=""
# The first reading may fall before the play and the last after it.
sed -n 's/.*(fps: \([0-9]*\)).*/\1/p' "$work/titles" | sed '1d;$d' >"$work/fps"
echo "presses: ${#clicks[@]}; fps readings: $(tr '\n' ' ' <"$work/fps")"
sort -n "$work/fps" | awk '{ v[NR] = $1 } END { printf "median %d frames/s over %d readings\n", v[int((NR + 1) / 2)], NR }'
