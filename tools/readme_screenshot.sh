#!/usr/bin/env bash
# readme_screenshot.sh - writes docs/screenshot.png, the picture at the end
# of README.md: the real game under a private Xvfb, on a copy of the run
# directory with a fresh level 2 saved (tutorial seen), once its board has
# settled. With SCALE 2 the screen is a high-DPI one (Xft.dpi 192) and the
# picture, docs/screenshot_x2.png, is the 1080 x 1920 window. With "small"
# the screen is a 1366 x 768 laptop's and docs/screenshot_small.png the
# 432 x 768 window that fits it.
#
#   tools/readme_screenshot.sh [BUILD_DIR] [1|2|small]   (default: build, 1)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
scale=${2:-1}
size=540x960
case "$scale" in
    1) out=screenshot.png ;;
    2) out=screenshot_x2.png size=1080x1920
       export XVFB_SCREEN=2400x2100x24 XVFB_XFT_DPI=192 ;;
    small) out=screenshot_small.png size=432x768
       export XVFB_SCREEN=1366x768x24 ;;
    *) echo "SCALE is 1, 2 or small" >&2; exit 1 ;;
esac
# shellcheck source=../scripts/fresh_game.sh
source "$root/scripts/fresh_game.sh"
sleep 3  # loading done, tiles grown in
# With no window manager the window sits at (0, 0) without decorations.
import -window root "PNG24:$work/screen.png"
mkdir -p "$root/docs"
/usr/bin/convert "$work/screen.png" -crop "$size+0+0" +repage -strip \
    "PNG24:$root/docs/$out"
xdotool key --window "$wid" q
wait "$game_pid" || true
game_pid=""
echo "wrote docs/$out"
