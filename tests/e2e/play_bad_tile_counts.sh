#!/usr/bin/env bash
# Without a usable tile set the game cannot be played: it refuses to start,
# says which count file is at fault, exits with a failure status and leaves
# the saved progress as it was.
source "$(dirname "$0")/lib.sh"
e2e_setup
TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")
"${TOOL[@]}" save "$GAME_RUN/autosave" 37
cp "$GAME_RUN/autosave" "$E2E_DIR/autosave.before"

refuses() {
    local what=$1 file=$2
    : >"$GAME_LOG"
    (cd "$GAME_RUN" && timeout 30 ./game) >>"$GAME_LOG" 2>&1 && fail "$what: the game started"
    grep -q "$file" "$GAME_LOG" || fail "$what: the message does not name $file"
    cmp -s "$GAME_RUN/autosave" "$E2E_DIR/autosave.before" || fail "$what: the saved game changed"
}

count="$GAME_RUN/images/tiles/count"
cp "$count" "$E2E_DIR/count.good"
echo 0 >"$count"
refuses "no tile sets" "images/tiles/count"
rm "$count"
refuses "a missing set count" "images/tiles/count"
cp "$E2E_DIR/count.good" "$count"

set3="$GAME_RUN/images/tiles/03/count"
echo none >"$set3"
refuses "a set without pictures" "images/tiles/03/count"
echo "ok"
