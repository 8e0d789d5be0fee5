#!/usr/bin/env bash
# readme_screenshot.sh - writes docs/screenshot.png, the picture at the end
# of README.md: the real game under a private Xvfb, on a copy of the run
# directory with a fresh level 2 saved (tutorial seen), once its board has
# settled.
#
#   tools/readme_screenshot.sh [BUILD_DIR]      (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
run="$build/run"
[ -x "$run/game" ] || { echo "no game in $run: build first" >&2; exit 1; }
export MESA_GL_VERSION_OVERRIDE=3.3FC MESA_GLSL_VERSION_OVERRIDE=330 SDL_AUDIODRIVER=dummy
unset DISPLAY
# shellcheck source=../scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
work=$(mktemp -d)
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "${XVFB_PID:-}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp -rL "$run" "$work/run"
/usr/bin/python3 "$root/tests/e2e/save_tool.py" fresh "$work/run/autosave" 2

(cd "$work/run" && exec ./game) >"$work/log" 2>&1 &
game_pid=$!
wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --name '^game' 2>/dev/null | head -n 1) && [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "the game showed no window" >&2; cat "$work/log" >&2; exit 1; }
sleep 3  # loading done, tiles grown in
# With no window manager the window sits at (0, 0) without decorations.
import -window root "PNG24:$work/screen.png"
mkdir -p "$root/docs"
/usr/bin/convert "$work/screen.png" -crop 540x960+0+0 +repage -strip "PNG24:$root/docs/screenshot.png"
xdotool key --window "$wid" q
wait "$game_pid" || true
game_pid=""
echo "wrote docs/screenshot.png"
