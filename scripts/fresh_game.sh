# fresh_game.sh - sourced by scripts that look at the real game from the
# outside: starts it under a private Xvfb on a copy of BUILD/run with a
# fresh level 2 saved (tutorial seen) and waits for its window. FRESH_LEVEL
# picks another level; WITH_WINDOW_MANAGER=1 runs twm first (a window can
# only be minimised under a window manager).
#
# Needs root (the repository) and build set by the caller. Leaves work (the
# temporary directory), game_pid and wid (its window); everything is
# stopped and removed when the calling script exits.
run="$build/run"
[ -x "$run/game" ] || { echo "no game in $run: build first" >&2; exit 1; }
export MESA_GL_VERSION_OVERRIDE=3.3FC MESA_GLSL_VERSION_OVERRIDE=330 SDL_AUDIODRIVER=dummy
unset DISPLAY
# shellcheck source=xvfb.sh
source "$root/scripts/xvfb.sh"
work=$(mktemp -d)
game_pid=""
wm_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    kill "${XVFB_PID:-}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp -rL "$run" "$work/run"
rm -f "$work/run/window_place"  # a window of this screen's own size
/usr/bin/python3 "$root/tests/e2e/save_tool.py" fresh "$work/run/autosave" "${FRESH_LEVEL:-2}"
if [ "${WITH_WINDOW_MANAGER:-0}" = 1 ]; then
    # Placed where it asks to be, undecorated: window points stay screen points.
    printf 'RandomPlacement\nUsePPosition "on"\nNoTitle\n' >"$work/twmrc"
    for font in Title Resize Menu Icon IconManager; do
        printf '%sFont "fixed"\n' "$font" >>"$work/twmrc"
    done
    twm -f "$work/twmrc" >/dev/null 2>&1 &
    wm_pid=$!
    sleep 0.5
fi

(cd "$work/run" && exec ./game) >"$work/log" 2>&1 &
game_pid=$!
wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --name '^game' 2>/dev/null | head -n 1) && [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "the game showed no window" >&2; cat "$work/log" >&2; exit 1; }
