#!/usr/bin/env bash
# idle_cpu.sh - the CPU the game uses while it sits on a level with nobody
# playing: the real binary under a private Xvfb, on a copy of the run
# directory with level 2 saved (tutorial seen), measured from the process's
# utime + stime in /proc/PID/stat over IDLE_SECONDS (10 by default) after a
# warm-up of 3 s. Prints the share of one core taken by the game (all its
# threads) and by the X server that receives its frames, and the frame rate
# from the window title.
#
#   bench/idle_cpu.sh [BUILD_DIR]      (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${IDLE_SECONDS:-10}
# shellcheck source=../scripts/fresh_game.sh
source "$root/scripts/fresh_game.sh"

# Ticks of user + system time of a process, all threads together.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

sleep 3
hz=$(getconf CLK_TCK)
g0=$(ticks "$game_pid") x0=$(ticks "$XVFB_PID") t0=$(date +%s.%N)
sleep "$seconds"
g1=$(ticks "$game_pid") x1=$(ticks "$XVFB_PID") t1=$(date +%s.%N)
title=$(xdotool getwindowname "$wid")
xdotool key --window "$wid" q
wait "$game_pid" || true
game_pid=""
awk -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v hz="$hz" -v t0="$t0" -v t1="$t1" -v title="$title" 'BEGIN {
    wall = t1 - t0
    printf "idle on level 2 for %.1f s: game %.1f%% of one core, X server %.1f%%; title \"%s\"\n",
        wall, g / hz / wall * 100, x / hz / wall * 100, title
}'
