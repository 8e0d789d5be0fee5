# Sourced by scripts: starts a private Xvfb server unless DISPLAY already
# works, exports DISPLAY and stops the server when the script exits.
start_private_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":${n}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 50); do
      if DISPLAY=":${n}" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":${n}"
        trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
        return 0
      fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}
start_private_xvfb
