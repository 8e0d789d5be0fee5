#!/usr/bin/env bash
# A newcomer's first scripts/run, timed: a fresh clone of this repository's
# HEAD inside ROOT, a fresh Debian 12 root (see bench/setup_sets.sh for how
# to make one; it is changed for good: use a copy), runs scripts/run as
# root there, with the display of a private Xvfb on this machine. Prints
# each line of scripts/run with the seconds since the start, then the
# seconds until the game's window showed its first frame (a drawn, not
# black, pixel). Needs root (chroot, mounts).
#   bench/first_run.sh ROOT
set -euo pipefail
root=$(realpath "${1:?usage: $0 ROOT}")
repo=$(cd "$(dirname "$0")/.." && pwd)
[ ! -e "$root/root/game" ] || { echo "$root/root/game exists: use a fresh root" >&2; exit 1; }
# shellcheck source=../scripts/xvfb.sh
source "$repo/scripts/xvfb.sh"
git clone -q "$repo" "$root/root/game"

mounts=()
mount_in() {  # source, place inside root, mount options...
  mkdir -p "$root$2"
  mount "${@:3}" "$1" "$root$2"
  mounts=("$root$2" "${mounts[@]}")
}
cleanup() {
  [ -z "${wid:-}" ] || xdotool key --window "$wid" q 2>/dev/null || true
  sleep 1
  set +m  # no job notice for what is ended here
  [ -z "${run_pid:-}" ] || kill -- "-$run_pid" 2>/dev/null || true
  for m in "${mounts[@]}"; do umount -l "$m" || true; done
  kill "${XVFB_PID:-}" 2>/dev/null || true
}
trap cleanup EXIT
mount_in /dev /dev --rbind
mount_in proc /proc -t proc
mount_in /tmp/.X11-unix /tmp/.X11-unix --bind


set -m  # the run gets a process group of its own, ended as one
start=$EPOCHREALTIME
elapsed() { echo "$EPOCHREALTIME - $start" | bc; }
(chroot "$root" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy bash -c 'cd /root/game && scripts/run' 2>&1 |
  while IFS= read -r line; do printf '%7.1f  %s\n' "$(elapsed)" "$line"; done) &
run_pid=$!

wid=""
while [ -z "$wid" ]; do
  kill -0 "$run_pid" 2>/dev/null || { echo "scripts/run ended without a window" >&2; exit 1; }
  wid=$(xdotool search --name '^game' 2>/dev/null | head -n 1) || true
  sleep 0.2
done
shown=$(elapsed)
pixel() { import -window root -crop 1x1+20+20 -depth 8 txt:- 2>/dev/null | tail -n 1; }
until pixel | grep -q '#' && ! pixel | grep -q '#000000'; do sleep 0.05; done
printf 'window after %.1f s, first frame after %.1f s\n' "$shown" "$(elapsed)"
