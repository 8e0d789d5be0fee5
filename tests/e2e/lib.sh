# lib.sh - shared helpers for the end-to-end tests, sourced by every
# tests/e2e/*.sh that drives the real game.
#
# e2e_setup starts a private X server (so tests running side by side never
# see each other's windows) and copies the run directory into a temporary
# directory, so a test may edit config.txt or leave an autosave behind
# without touching the repository. Then:
#
#   game_start [dir]        start the copied game with dir as working directory
#   game_wait_exit          wait for the game to end; GAME_STATUS is its status
#   set_config KEY VALUE    rewrite "KEY = ..." lines (first one) of the copy
#   screenshot FILE         the whole screen as a PNG
#   pixel FILE X Y          "r,g,b" of one pixel
#   wait_for DESC SECONDS CMD...   poll CMD until it succeeds or give up
#   fail MESSAGE            print and exit 1
#
# Needs GAME_RUN_DIR (set by ctest); GAME_SOURCE_DIR is used to find
# scripts/xvfb.sh. GAME_EXE names the program in the run directory (default
# "game"; "game.exe" for the Windows build) and GAME_LAUNCHER, when set, the
# command that runs it (Wine), and GAME_LAUNCHER_STOP a command that ends
# whatever the launcher keeps running for the test's X server (run at set-up
# and clean-up). The file is meant to be sourced, not run.

set -euo pipefail

E2E_SOURCE_DIR=${GAME_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
: "${GAME_RUN_DIR:?GAME_RUN_DIR must name the run directory of a build}"
GAME_EXE=${GAME_EXE:-game}
read -r -a GAME_LAUNCHER <<<"${GAME_LAUNCHER:-}"
if [ "${#GAME_LAUNCHER[@]}" = 0 ]; then
    export MESA_GL_VERSION_OVERRIDE=3.3FC MESA_GLSL_VERSION_OVERRIDE=330
else
    # Wine's OpenGL set-up starts with a compatibility context, which a
    # pinned core version makes fail.
    unset MESA_GL_VERSION_OVERRIDE MESA_GLSL_VERSION_OVERRIDE
fi
# No sound card here: the dummy output keeps the audio thread running quietly.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

E2E_DIR=""
GAME_PID=""
GAME_WID=""
GAME_LOG=""
GAME_STATUS=""

E2E_LOG_SHOWN=no

show_game_log() {
    if [ "$E2E_LOG_SHOWN" = no ] && [ -n "$GAME_LOG" ] && [ -s "$GAME_LOG" ]; then
        echo "--- game output" >&2
        tail -n 40 "$GAME_LOG" >&2
    fi
    E2E_LOG_SHOWN=yes
}

fail() {
    echo "FAIL: $*" >&2
    show_game_log
    exit 1
}

# Runs an X client, trying again while the server refuses the connection:
# under heavy load Xvfb now and then turns a new client away, and a refused
# client did nothing, so running it again is safe.
x_client() {
    local attempt rc err
    err=$(mktemp "${TMPDIR:-/tmp}/game_e2e_x.XXXXXX")
    for attempt in 1 2 3 4 5; do
        rc=0
        "$@" 2>"$err" || rc=$?
        [ "$rc" -ne 0 ] && grep -qE "Can't open display|Failed creating new xdo|unable to open X server" "$err" ||
            break
        sleep 0.3
    done
    cat "$err" >&2
    rm -f "$err"
    return "$rc"
}

xdotool() {
    x_client command xdotool "$@"
}

# A sanitizer build's game writes its reports to stderr, kept in GAME_LOG.
game_sanitizer_report() {
    [ -n "$GAME_LOG" ] && [ -s "$GAME_LOG" ] &&
        grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:|WARNING: ThreadSanitizer' "$GAME_LOG"
}

e2e_cleanup() {
    # A command that failed under set -e ends the script without fail():
    # show what the game said then too.
    [ $? -eq 0 ] || show_game_log
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null || true
        wait "$GAME_PID" 2>/dev/null || true
    fi
    local report=no
    if game_sanitizer_report; then
        report=yes
        echo "FAIL: the game reported a sanitizer error" >&2
        grep -E -A 30 'ERROR: (Address|Leak)Sanitizer|runtime error:|WARNING: ThreadSanitizer' \
            "$GAME_LOG" | head -n 60 >&2
    fi
    if [ -n "${GAME_LAUNCHER_STOP:-}" ]; then $GAME_LAUNCHER_STOP || true; fi
    if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    if [ -n "$E2E_DIR" ]; then rm -rf "$E2E_DIR"; fi
    # Whatever the test itself concluded, a report fails it.
    if [ "$report" = yes ]; then exit 1; fi
}

e2e_setup() {
    # Always a server of our own, even when DISPLAY already works; choosing
    # a display number is serialised so parallel tests never pick the same.
    unset DISPLAY
    exec 9>"${TMPDIR:-/tmp}/game_e2e_xvfb.lock"
    flock 9
    # shellcheck source=../../scripts/xvfb.sh
    source "$E2E_SOURCE_DIR/scripts/xvfb.sh"
    flock -u 9
    exec 9>&-
    trap e2e_cleanup EXIT
    if [ -n "${GAME_LAUNCHER_STOP:-}" ]; then $GAME_LAUNCHER_STOP || true; fi

    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/game_e2e.XXXXXX")
    cp -rL "$GAME_RUN_DIR" "$E2E_DIR/run"
    rm -f "$E2E_DIR/run/autosave" "$E2E_DIR/run/autosave.tmp" "$E2E_DIR/run/window_place"
    # An old time, so that any edit the test makes is seen as a change.
    touch -d '2001-01-01 00:00:00' "$E2E_DIR/run/config.txt"
    GAME_RUN="$E2E_DIR/run"
    GAME_BIN="$GAME_RUN/$GAME_EXE"
    GAME_LOG="$E2E_DIR/game.log"
}

# Starts the game with the given working directory (default: its own) and
# waits until its window exists. GAME_WID is the window id.
game_start() {
    local cwd=${1:-$GAME_RUN}
    local bin=${2:-$GAME_BIN}
    local attempt tries logged
    for attempt in 1 2 3; do
        logged=$(stat -c %s "$GAME_LOG" 2>/dev/null || echo 0)
        (cd "$cwd" && exec "${GAME_LAUNCHER[@]}" "$bin") >>"$GAME_LOG" 2>&1 &
        GAME_PID=$!
        GAME_WID=""
        for tries in $(seq 1 300); do
            # Mapped windows only: a hidden one may carry the name too.
            GAME_WID=$(xdotool search --onlyvisible --name '^game' 2>/dev/null | head -n 1) || true
            [ -n "$GAME_WID" ] && return 0
            game_is_running || break
            sleep 0.1
        done
        game_is_running && fail "no window named game appeared"
        # Xvfb now and then refuses the connection that follows the close of
        # a GL window; a real display does not. Only then is it tried again.
        tail -c +$((logged + 1)) "$GAME_LOG" | grep -q 'Failed to open display' ||
            fail "the game ended before its window appeared"
        wait "$GAME_PID" 2>/dev/null || true
        sleep 0.2
    done
    fail "the X server refused the game three times"
}

game_is_running() {
    kill -0 "$GAME_PID" 2>/dev/null
}

# Waits (up to 30 s) for the game to end and puts its exit status into
# GAME_STATUS. (Not a command substitution: only this shell can wait.)
game_wait_exit() {
    local waited=0
    while game_is_running && [ "$waited" -lt 300 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    game_is_running && fail "the game did not exit"
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    GAME_PID=""
}

# Replaces the value of the first line that sets KEY in the copied
# config.txt (the game-screen keys come before any section). The game sees
# a change by the file's time in whole seconds, so a second edit within the
# same second moves the time on by one.
set_config() {
    local key=$1 value=$2 file="$GAME_RUN/config.txt"
    local tmp="$file.edit" before
    before=$(stat -c %Y "$file" 2>/dev/null || echo 0)
    awk -v key="$key" -v value="$value" '
        !done && $0 ~ "^[ \t]*" key "[ \t]*=" { print key " = " value; done = 1; next }
        { print }' "$file" >"$tmp"
    mv "$tmp" "$file"
    if [ "$(stat -c %Y "$file")" -le "$before" ]; then touch -d "@$((before + 1))" "$file"; fi
}

screenshot() {
    x_client import -window root "PNG24:$1"
}

# Prints "r,g,b" of pixel (x, y) of a screenshot.
pixel() {
    /usr/bin/convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Pixel (x, y) of the screen as it is now.
screen_pixel() {
    local shot="$E2E_DIR/pixel.png"
    screenshot "$shot"
    pixel "$shot" "$1" "$2"
}

# Pixel (x, y) of the game window, and a press there, wherever the window
# sits on the screen.
window_pixel() {
    local x0 y0 _
    read -r x0 y0 _ <<<"$(window_geometry)"
    screen_pixel $(($1 + x0)) $(($2 + y0))
}
window_click() {
    local x0 y0 _
    read -r x0 y0 _ <<<"$(window_geometry)"
    xdotool mousemove $(($1 + x0)) $(($2 + y0)) click 1
}

window_title() {
    xdotool getwindowname "$GAME_WID"
}

# "x y width height" of the game window.
window_geometry() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$GAME_WID" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    echo "$X $Y $WIDTH $HEIGHT"
}

# wait_for DESCRIPTION SECONDS COMMAND...: polls COMMAND every 0.1 s; fails
# the test with DESCRIPTION when it has not succeeded within SECONDS.
wait_for() {
    local what=$1 seconds=$2
    shift 2
    local tries=$((seconds * 10))
    while [ "$tries" -gt 0 ]; do
        if "$@"; then return 0; fi
        sleep 0.1
        tries=$((tries - 1))
    done
    fail "$what (waited ${seconds} s)"
}
