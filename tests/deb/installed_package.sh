#!/usr/bin/env bash
# The Debian package, unpacked into a throw-away root whose game directory
# is read-only, started through its launcher by an unprivileged user: it
# keeps its save and font cache in ~/.local/share/game and nowhere else, a
# pair played on level 1 stays gone after a restart, and lintian, the
# AppStream and the desktop entry validators find no fault in the package.
#   tests/deb/installed_package.sh BUILD-DEB/game_VERSION_amd64.deb
# BUILD-DEB is the build tree that made the package (its level-tool lays
# out level 1).
deb=$(realpath "${1:?usage: $0 PACKAGE.deb}")
build=$(dirname "$deb")
export GAME_RUN_DIR=${GAME_RUN_DIR:-$build/run}
source "$(dirname "$0")/../e2e/lib.sh"
e2e_setup
TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")

lintian --fail-on error "$deb" >"$E2E_DIR/lintian.log" 2>&1 ||
    fail "lintian: $(grep '^E:' "$E2E_DIR/lintian.log" || tail -n 5 "$E2E_DIR/lintian.log")"

root="$E2E_DIR/root"
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
installed="$root/usr/lib/games/game"
[ -L "$root/usr/games/game" ] || fail "no launcher /usr/games/game"
# The fonts are links into packages it depends on: their files are put
# where dpkg would have installed them.
depends=$(dpkg-deb -f "$deb" Depends)
for link in "$installed"/fonts/*; do
    [ -L "$link" ] || fail "${link#"$root"} is not a link to a Debian font package"
    target=$(realpath -m "$(dirname "$link")/$(readlink "$link")")
    package=$(dpkg -S "${target#"$root"}" | cut -d: -f1)
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "${link#"$root"}: the package does not depend on $package"
    mkdir -p "$(dirname "$target")" && cp "${target#"$root"}" "$target"
done
for item in game config.txt shaders_desktop/vertex.c images/tiles/count images_x2/tiles/count \
    fonts/arialbd.ttf sounds/music.ogg level_seed_offsets; do
    [ -e "$installed/$item" ] || fail "the package has no /usr/lib/games/game/$item"
done
for item in share/applications/game.desktop share/icons/hicolor/256x256/apps/game.png \
    share/metainfo/org.example.game.metainfo.xml share/doc/game/copyright; do
    [ -s "$root/usr/$item" ] || fail "the package has no /usr/$item"
done
appstreamcli validate --no-net --strict "$root/usr/share/metainfo/org.example.game.metainfo.xml" \
    >"$E2E_DIR/appstream.log" 2>&1 || fail "appstreamcli: $(cat "$E2E_DIR/appstream.log")"
entry=$(desktop-file-validate "$root/usr/share/applications/game.desktop" 2>&1)
[ -z "$entry" ] || fail "desktop-file-validate: $entry"
chmod -R a-w "$installed"
# The cleanup must be able to remove it again.
trap 'chmod -R u+w "$root"; e2e_cleanup' EXIT
chmod 755 "$E2E_DIR"

# An unprivileged user when run as root (as in CI), with a home of its own
# and no XDG_DATA_HOME, so the default ~/.local/share/game is used.
home="$E2E_DIR/home"
mkdir "$home"
as_player=()
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$home"
    as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
printf '#!/bin/sh\nexec %s env -u XDG_DATA_HOME HOME="%s" "%s"\n' \
    "${as_player[*]}" "$home" "$root/usr/games/game" >"$E2E_DIR/launch"
chmod 755 "$E2E_DIR/launch"
saves="$home/.local/share/game"
snapshot() { (cd "$root" && find . -printf '%p %s %T@ %m\n' | sort); }
snapshot >"$E2E_DIR/before"

quit() {
    xdotool key --window "$GAME_WID" q
    game_wait_exit
    [ "$GAME_STATUS" = 0 ] || fail "Q ended the game with status $GAME_STATUS"
}

# The first start makes the save folder and writes there.
game_start "$home" "$E2E_DIR/launch"
font_cache() { compgen -G "$saves/tmp/font.*" >/dev/null; }
wait_for "no font cache in $saves/tmp" 15 font_cache
quit
[ -s "$saves/autosave" ] || fail "no autosave in $saves"
[ "$(id -u)" != 0 ] || [ "$(stat -c %u "$saves/autosave")" = 65534 ] || fail "the game did not run unprivileged"

# Level 1 with the tutorial done; the first pair is pressed.
"${TOOL[@]}" save "$saves/autosave" 1
"$build/level-tool" 1 --counts-from "$installed/images" --offsets "$installed/level_seed_offsets" \
    >"$E2E_DIR/level1" || fail "level-tool failed"
mapfile -t clicks < <("${TOOL[@]}" clicks "$installed/config.txt" "$E2E_DIR/level1" regular)
[ "${#clicks[@]}" -ge 4 ] || fail "level 1 has fewer than two pairs"
tiles=$(awk '{ for (i = 1; i <= NF; i++) if ($i != 0) n++ } END { print n }' "$E2E_DIR/level1")
# A tile's face shows just above its picture.
face() {
    local x y
    read -r x y <<<"${clicks[$1]}"
    [ "$(screen_pixel "$x" $((y - 36)))" = "255,255,255" ]
}

game_start "$home" "$E2E_DIR/launch"
wait_for "level 1's first tile never showed" 15 face 0
for point in "${clicks[@]:0:2}"; do
    read -r x y <<<"$point"
    xdotool mousemove "$x" "$y" click 1
    sleep 0.25
done
gone() { ! face 0 && ! face 1; }
wait_for "the pressed pair stayed on the board" 5 gone
quit
[ "$("${TOOL[@]}" field "$saves/autosave" tiles)" = $((tiles - 2)) ] ||
    fail "the autosave holds $("${TOOL[@]}" field "$saves/autosave" tiles) tiles, not $((tiles - 2))"

game_start "$home" "$E2E_DIR/launch"
wait_for "level 1's board did not come back" 15 face 2
sleep 0.5
gone || fail "the pair came back after the restart"
quit

snapshot >"$E2E_DIR/after"
diff "$E2E_DIR/before" "$E2E_DIR/after" >&2 || fail "something changed in the installed tree"
echo "ok"
