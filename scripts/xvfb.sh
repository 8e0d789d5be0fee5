# Sourced by scripts: starts a private Xvfb server unless DISPLAY already
# works, exports DISPLAY and stops the server when the script exits.
#
# The server chooses a free display number itself (-displayfd) and reports
# it once it accepts clients: guessing a number from the lock files lets
# two scripts starting at the same moment end up on one server, and then
# one of them loses its display when the other stops it.
start_private_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local number_file n=""
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    n=$(head -n 1 "$number_file")
    [ -n "$n" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -n "$n" ] && DISPLAY=":${n}" xdpyinfo >/dev/null 2>&1; then
    export DISPLAY=":${n}"
    trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
    return 0
  fi
  kill "$XVFB_PID" 2>/dev/null || true
  echo "could not start Xvfb" >&2
  return 1
}
start_private_xvfb
