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
# shellcheck source=../scripts/fresh_game.sh
source "$root/scripts/fresh_game.sh"
sleep 3  # loading done, tiles grown in
# With no window manager the window sits at (0, 0) without decorations.
import -window root "PNG24:$work/screen.png"
mkdir -p "$root/docs"
/usr/bin/convert "$work/screen.png" -crop 540x960+0+0 +repage -strip "PNG24:$root/docs/screenshot.png"
xdotool key --window "$wid" q
wait "$game_pid" || true
game_pid=""
echo "wrote docs/screenshot.png"
