#!/usr/bin/env bash
# What each package set of scripts/setup costs on a fresh Debian 12: for
# every set, the packages apt would install (the set and what it pulls in,
# without recommends), their download size and their installed size. Asks
# apt inside ROOT, a fresh root made with
#   debootstrap --variant=minbase bookworm ROOT http://deb.debian.org/debian
# and brought up to date (apt-get update && apt-get upgrade); nothing is
# installed there.
#   bench/setup_sets.sh ROOT [SET...]      (default: game windows deb test)
set -euo pipefail
root=${1:?usage: $0 ROOT [SET...]}
shift
[ $# -gt 0 ] || set -- game windows deb test
setup="$(dirname "$0")/../scripts/setup"

printf '%-8s %9s %13s %14s\n' set packages "download MB" "installed MB"
for set in "$@"; do
  mapfile -t wanted < <("$setup" --list "$set")
  # "Inst NAME (VERSION ...)" for every package apt would install.
  mapfile -t versions < <(chroot "$root" apt-get install -s --no-install-recommends "${wanted[@]}" |
    sed -n 's/^Inst \([^ ]*\) (\([^ ]*\) .*/\1=\2/p')
  download=$(chroot "$root" apt-get install --print-uris -qq --no-install-recommends "${wanted[@]}" |
    awk '{ s += $3 } END { printf "%.0f", s / 1e6 }')
  installed=$(chroot "$root" apt-cache show --no-all-versions "${versions[@]}" |
    awk '/^Installed-Size:/ { s += $2 } END { printf "%.0f", s * 1024 / 1e6 }')
  printf '%-8s %9d %13s %14s\n' "$set" "${#versions[@]}" "$download" "$installed"
done
