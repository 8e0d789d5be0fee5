#!/usr/bin/env bash
# "cmake --install" writes a complete game directory that still works after
# it is moved: the moved copy starts, shows its level, saves beside itself,
# and its desktop entry (icon and program by absolute paths) follows the
# directory once install-desktop-entry runs there.
source "$(dirname "$0")/lib.sh"
e2e_setup
: "${GAME_BUILD_DIR:?GAME_BUILD_DIR must name the build directory}"

prefix="$E2E_DIR/prefix"
cmake --install "$GAME_BUILD_DIR" --prefix "$prefix" >"$E2E_DIR/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$E2E_DIR/install.log")"
for item in game config.txt shaders_desktop/vertex.c shaders_desktop/fragment.c images/rounded_rect.png \
    images/tiles/count fonts/PoetsenOne-Regular.ttf fonts/arialbd.ttf sounds/music.ogg \
    level_seed_offsets licenses game.png game.desktop install-desktop-entry; do
    [ -e "$prefix/$item" ] || fail "the installed directory has no $item"
done
[ ! -L "$prefix/config.txt" ] && [ ! -L "$prefix/shaders_desktop" ] ||
    fail "the installed directory links back into the source tree"
[ "$(head -c 8 "$prefix/game.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "game.png is not a PNG"

# desktop_entry FILE DIR: the entry is valid and names DIR absolutely.
desktop_entry() {
    local file=$1 dir=$2
    [ -f "$file" ] || fail "no desktop entry $file"
    grep -qx '\[Desktop Entry\]' "$file" || fail "$file has no [Desktop Entry] group"
    grep -qx 'Type=Application' "$file" || fail "$file is not an application entry"
    grep -qx "Exec=\"$dir/game\"" "$file" || fail "$file runs $(grep '^Exec=' "$file"), not $dir/game"
    grep -qx "Icon=$dir/game.png" "$file" || fail "$file shows $(grep '^Icon=' "$file")"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$file" || fail "desktop-file-validate rejects $file"
    fi
}
desktop_entry "$prefix/game.desktop" "$prefix"

# Moved (to a path with a space), the directory is whole on its own.
moved="$E2E_DIR/somewhere else/game"
mkdir -p "$(dirname "$moved")"
cp -r "$prefix" "$moved"
rm -rf "$prefix"
XDG_DATA_HOME="$E2E_DIR/xdg" "$moved/install-desktop-entry" >/dev/null ||
    fail "install-desktop-entry failed in the moved directory"
desktop_entry "$moved/game.desktop" "$moved"
desktop_entry "$E2E_DIR/xdg/applications/game.desktop" "$moved"

# It runs from there, started from elsewhere, and draws the background its
# own config.txt sets.
/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/save_tool.py" fresh "$moved/autosave" 2
GAME_LOG="$E2E_DIR/moved.log"
game_start "$E2E_DIR" "$moved/game"
read -r _ _ width height <<<"$(window_geometry)"
[ "$width" = 540 ] && [ "$height" = 960 ] || fail "the moved game's window is ${width}x${height}"
colour=$(sed -n 's/^bg_color *= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1,\2,\3/p' "$moved/config.txt" | head -n 1)
[ -n "$colour" ] || fail "no bg_color in the installed config.txt"
background() { [ "$(screen_pixel 3 3)" = "$colour" ]; }
wait_for "the moved game did not draw its background (pixel $(screen_pixel 3 3))" 10 background
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "the moved game ended with status $GAME_STATUS"
/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/save_tool.py" check "$moved/autosave" "$moved/images" >/dev/null ||
    fail "the moved game did not save a valid autosave beside itself"
ls "$moved"/tmp/font.* >/dev/null 2>&1 || fail "the moved game kept no font cache beside itself"
echo "ok"
