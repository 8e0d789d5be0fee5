#!/usr/bin/env bash
# scripts/run installs the game set of scripts/setup: it lies within the
# test set, so what a player installs is tested, and it holds nothing that
# only tests, checks or other builds use.
set -euo pipefail
setup="$(dirname "$0")/../scripts/setup"
game=$("$setup" --list game | sort)
tests=$("$setup" --list test | sort)
[ -n "$game" ] || { echo "the game set is empty"; exit 1; }
outside=$(comm -23 <(echo "$game") <(echo "$tests"))
[ -z "$outside" ] || { echo "in the game set but not the test set:" $outside; exit 1; }
tooling=$(grep -E '^(libgtest|libgmock|libbenchmark|googletest|xvfb|xauth|x11-(apps|utils|xserver-utils)|xdotool|imagemagick|sox|clang|libclang|llvm|.*mingw|wine|lintian|appstream|desktop-file-utils|dpkg-dev|fakeroot|emscripten|chromium)' <<<"$game" || true)
[ -z "$tooling" ] || { echo "test or build tooling in the game set:" $tooling; exit 1; }
echo "ok: $(wc -l <<<"$game") packages in the game set, $(wc -l <<<"$tests") in the test set"
