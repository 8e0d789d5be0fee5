#!/usr/bin/env bash
# wine_startup.sh - start-up to the first frame of game.exe under Wine
# against the bare window program built the same way (wine_bare_window.exe),
# both timed from the outside: from the launch of wine64 until a pixel of
# the first frame is on the screen (the white face of level 1's first tile;
# the bare program clears its window white). Warm font cache; median of
# RUNS (5) starts each, after one warm-up start that also finds where Wine
# places the window.
#
#   bench/wine_startup.sh [WINDOWS_BUILD_DIR [LINUX_BUILD_DIR]]
#   (default: build-windows build; scripts/build-windows makes both)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win=${1:-$root/build-windows}
host=${2:-$root/build}
runs=${RUNS:-5}
export WINEPREFIX=$win/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= SDL_AUDIODRIVER=dummy
GAME_WINE=/usr/lib/wine/wine64 bash "$root/tests/wine/make_prefix.sh"
unset DISPLAY MESA_GL_VERSION_OVERRIDE MESA_GLSL_VERSION_OVERRIDE
# shellcheck source=../scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
/usr/lib/wine/wineserver -k 2>/dev/null || true
work=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$win/run" "$work/run"
cp "$win/bench/wine_bare_window.exe" "$work/run/"
board=(/usr/bin/python3 "$root/tests/e2e/board_tool.py")
"$host/level-tool" 1 --counts-from "$work/run/images" --offsets "$work/run/level_seed_offsets" >"$work/level1"
read -r tx ty < <("${board[@]}" clicks "$work/run/config.txt" "$work/level1" regular)
ty=$((ty - 36))

# first_frame EXE NAME X Y: launches EXE and prints the seconds until the
# window pixel (X, Y) is white, then quits it with Q.
first_frame() {
    local exe=$1 name=$2
    [ "$exe" = game.exe ] && /usr/bin/python3 "$root/tests/e2e/save_tool.py" fresh "$work/run/autosave" 1
    /usr/bin/python3 - "$work/run/$exe" "$3" "$4" <<'PY'
import ctypes, subprocess, sys, time
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)
x, y = int(sys.argv[2]), int(sys.argv[3])
def white():
    image = x11.XGetImage(display, root, x, y, 1, 1, 0xFFFFFFFF, 2)
    return image and x11.XGetPixel(image, 0, 0) & 0xFFFFFF == 0xFFFFFF
start = time.monotonic()
subprocess.Popen(["/usr/lib/wine/wine64", sys.argv[1]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while not white():
    if time.monotonic() - start > 60:
        sys.exit("no first frame within 60 s")
    time.sleep(0.001)
print("%.4f" % (time.monotonic() - start))
PY
    local wid=""
    for _ in $(seq 1 50); do
        wid=$(xdotool search --onlyvisible --name "^$name" | head -n 1) && [ -n "$wid" ] && break
        sleep 0.1
    done
    xdotool key --window "$wid" q
    while pgrep -f "$work/run/$exe" >/dev/null; do sleep 0.1; done
}

# Where Wine puts a new window: the warm-up start of each program.
origin() {  # EXE NAME
    [ "$1" = game.exe ] && /usr/bin/python3 "$root/tests/e2e/save_tool.py" fresh "$work/run/autosave" 1
    (cd "$work" && /usr/lib/wine/wine64 "$work/run/$1" >/dev/null 2>&1 &)
    local wid=""
    for _ in $(seq 1 300); do
        wid=$(xdotool search --onlyvisible --name "^$2" | head -n 1) && [ -n "$wid" ] && break
        sleep 0.1
    done
    sleep 2
    xdotool getwindowgeometry --shell "$wid" | sed -n 's/^[XY]=//p' | tr '\n' ' '
    xdotool key --window "$wid" q
    while pgrep -f "$work/run/$1" >/dev/null; do sleep 0.1; done
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
read -r gx gy <<<"$(origin game.exe game)"
read -r bx by <<<"$(origin wine_bare_window.exe bare)"
game=$(for _ in $(seq 1 "$runs"); do first_frame game.exe game $((gx + tx)) $((gy + ty)); done | median)
bare=$(for _ in $(seq 1 "$runs"); do first_frame wine_bare_window.exe bare $((bx + tx)) $((by + ty)); done | median)
awk -v g="$game" -v b="$bare" -v n="$runs" 'BEGIN {
    printf "bare window: %.1f ms\ngame.exe, warm font cache: %.1f ms\nratio: %.2f (median of %d each)\n",
        b * 1000, g * 1000, g / b, n }'
