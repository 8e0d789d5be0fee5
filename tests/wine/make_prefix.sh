#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests share (WINEPREFIX), once: about
# 15 s the first time, nothing when it is already there.
set -euo pipefail
: "${WINEPREFIX:?}" "${GAME_WINE:?}"
if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.made" ]; then exit 0; fi
rm -rf "$WINEPREFIX"
# No display: nothing of the set-up needs a window.
DISPLAY="" "$GAME_WINE" wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w
# A crash ends the program instead of waiting in a dialog.
DISPLAY="" "$GAME_WINE" reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
touch "$WINEPREFIX/.made"
