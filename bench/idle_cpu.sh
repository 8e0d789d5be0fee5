#!/usr/bin/env bash
# idle_cpu.sh - the CPU the game uses while nobody plays: the real binary
# under a private Xvfb on a copy of the run directory (tutorial seen),
# measured from the process's utime + stime in /proc/PID/stat over
# IDLE_SECONDS (10 by default) after a warm-up of 3 s. Prints the share of
# one core taken by the game (all its threads) and by the X server that
# receives its frames, and the frame rate from the window title.
#
#   bench/idle_cpu.sh [BUILD_DIR] [MODE]      (default: build rest)
#
# MODE rest: level 2 on screen. clock: the 9 x 10 Time Challenge (level 10)
# with its clock running after one press on a tile. minimised: the same
# running clock with the window minimised under twm.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
mode=${2:-rest}
seconds=${IDLE_SECONDS:-10}
case "$mode" in
rest) ;;
clock) FRESH_LEVEL=10 ;;
minimised) FRESH_LEVEL=10 WITH_WINDOW_MANAGER=1 ;;
*) echo "unknown mode $mode" >&2; exit 2 ;;
esac
# shellcheck source=../scripts/fresh_game.sh
source "$root/scripts/fresh_game.sh"

# Ticks of user + system time of a process, all threads together.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

sleep 3
if [ "$mode" != rest ]; then
    # The first tile of the dealt board, as the game lays it out.
    "$build/level-tool" 10 --counts-from "$work/run/images" \
        --offsets "$work/run/level_seed_offsets" >"$work/level10"
    read -r x y < <(/usr/bin/python3 "$root/tests/e2e/board_tool.py" clicks \
        "$work/run/config.txt" "$work/level10" time)
    xdotool mousemove --window "$wid" "$x" "$y" click 1
    sleep 1
fi
[ "$mode" = minimised ] && { xdotool windowminimize "$wid"; sleep 1; }
hz=$(getconf CLK_TCK)
g0=$(ticks "$game_pid") x0=$(ticks "$XVFB_PID") t0=$(date +%s.%N)
sleep "$seconds"
g1=$(ticks "$game_pid") x1=$(ticks "$XVFB_PID") t1=$(date +%s.%N)
title=$(xdotool getwindowname "$wid")
state=$(xprop -id "$wid" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p')
xdotool key --window "$wid" q
wait "$game_pid" || true
game_pid=""
awk -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v hz="$hz" -v t0="$t0" -v t1="$t1" -v title="$title" \
    -v mode="$mode" -v state="${state:-none}" 'BEGIN {
    wall = t1 - t0
    printf "%s for %.1f s: game %.1f%% of one core, X server %.1f%%; title \"%s\"; window state %s\n",
        mode, wall, g / hz / wall * 100, x / hz / wall * 100, title, state
}'
