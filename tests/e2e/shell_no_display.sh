#!/usr/bin/env bash
# Without a display the game says so and exits with a failure status
# instead of crashing or pretending to run.
set -euo pipefail
: "${GAME_RUN_DIR:?}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
DISPLAY=:4099 WAYLAND_DISPLAY= timeout 30 "$GAME_RUN_DIR/game" >"$log" 2>&1 || status=$?
[ "$status" != 0 ] || { echo "FAIL: exit status 0 without a display" >&2; exit 1; }
[ "$status" != 124 ] || { echo "FAIL: the game hung without a display" >&2; exit 1; }
[ "$status" -lt 128 ] || { echo "FAIL: the game died of signal $((status - 128))" >&2; cat "$log" >&2; exit 1; }
grep -q 'game: ' "$log" || { echo "FAIL: nothing said on stderr" >&2; cat "$log" >&2; exit 1; }
echo "ok"
