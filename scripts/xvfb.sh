# Sourced by scripts: starts a private Xvfb server unless DISPLAY already
# works, exports DISPLAY and stops the server when the script exits.
#
# The server chooses a free display number itself (-displayfd) and reports
# it once it accepts clients: guessing a number from the lock files lets
# two scripts starting at the same moment end up on one server, and then
# one of them loses its display when the other stops it.
#
# XVFB_SCREEN sets the screen (default 1280x1024x24). XVFB_XFT_DPI, when
# set, makes a high-DPI screen: the window library reads its content scale
# from the Xft.dpi resource (192 gives 2). The server then never resets, or
# the resource would be gone when its first client leaves.
start_private_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local number_file n="" keep=()
  [ -n "${XVFB_XFT_DPI:-}" ] && keep=(-noreset)
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" "${keep[@]}" -nolisten tcp \
    3>"$number_file" >/dev/null 2>&1 &
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
    if [ -n "${XVFB_XFT_DPI:-}" ]; then
      printf 'Xft.dpi: %s\n' "$XVFB_XFT_DPI" | xrdb -nocpp -merge ||
        { echo "xrdb could not set Xft.dpi (install x11-xserver-utils)" >&2; return 1; }
    fi
    return 0
  fi
  kill "$XVFB_PID" 2>/dev/null || true
  echo "could not start Xvfb" >&2
  return 1
}
start_private_xvfb
