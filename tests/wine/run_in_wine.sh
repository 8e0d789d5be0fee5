#!/usr/bin/env bash
# Runs a Windows test program under Wine (the prefix of WINEPREFIX) and
# ends with its exit status.
set -euo pipefail
: "${WINEPREFIX:?}" "${GAME_WINE:?}"
exec "$GAME_WINE" "$@"
