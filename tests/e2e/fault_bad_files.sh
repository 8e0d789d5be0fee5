#!/usr/bin/env bash
# Damaged data files never crash the game and never cost a valid saved game.
#
# Every data file the game reads - config.txt, "autosave", the font cache,
# a tile picture, a sound effect, the music, the tile count files, the
# level seed offsets and a shader - is replaced by a cut-off, an empty, a
# garbage and a huge version. The game starts on each (and the files it
# re-reads while running are swapped for the next bad version as it runs),
# then Q: it must end with status 0 and leave a valid "autosave" at the
# saved level. Only an unusable tile count may stop the start: then the
# game names the count file on stderr, ends with a failure status (not a
# signal) and leaves the saved game untouched.
source "$(dirname "$0")/lib.sh"
e2e_setup
SAVE_TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/save_tool.py")
BOARD_TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")
LEVEL=37
SET_DIR=images/tiles/04  # the tile set of level 37
HUGE_MB=${HUGE_MB:-32}
PARALLEL=${PARALLEL:-3}

# --- The baseline: a valid autosave at LEVEL and a warm font cache ------------
"${BOARD_TOOL[@]}" save "$GAME_RUN/autosave" "$LEVEL"
game_start
sleep 1
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "the baseline run ended with status $GAME_STATUS"
GOOD=$("${SAVE_TOOL[@]}" check "$GAME_RUN/autosave" "$GAME_RUN/images") ||
    fail "the baseline autosave is not valid: $GOOD"
ls "$GAME_RUN"/tmp/font.* >/dev/null 2>&1 || fail "the baseline run wrote no font cache"
for f in "$GAME_RUN/$SET_DIR/01.png" "$GAME_RUN/sounds/tile_match.wav" "$GAME_RUN/sounds/music.ogg" \
    "$GAME_RUN/level_seed_offsets" "$GAME_RUN/images/tiles/count" "$GAME_RUN/$SET_DIR/count"; do
    [ -s "$f" ] || fail "the run directory has no $f"
done

# --- Bad versions ---------------------------------------------------------------
# damage FILE KIND ORIGINAL: writes the KIND version of ORIGINAL over FILE.
damage() {
    local file=$1 kind=$2 original=$3 size keep
    size=$(stat -c %s "$original")
    case $kind in
        cut) head -c $((size / 2)) "$original" >"$file.new" ;;
        empty) : >"$file.new" ;;
        garbage)
            # The first bytes stay, so typed files get past their signature
            # and the damage reaches the decoder.
            keep=$((size / 8 < 64 ? size / 8 : 64))
            { head -c "$keep" "$original"; head -c $((size - keep)) /dev/urandom; } >"$file.new" ;;
        huge)
            case $file in
                *.txt | *.c) { cat "$original"; head -c $((HUGE_MB * 3 / 4))M /dev/urandom | base64; } >"$file.new" ;;
                *) { cat "$original"; head -c "${HUGE_MB}M" /dev/urandom; } >"$file.new" ;;
            esac ;;
        zeros) sed -E 's/=.*/= 0/' "$original" >"$file.new" ;;
        extremes) sed -E 's/=.*/= 99999999999, -1e39, nan, 4294967297/' "$original" >"$file.new" ;;
        many) echo 250 >"$file.new" ;;
        *) fail "unknown damage $kind" ;;
    esac
    mv "$file.new" "$file"
}

# Cases: "NAME FILE LIVE START_KIND [LIVE_KIND]". FILE is relative to the run
# directory (a glob for the font cache); LIVE says whether the game re-reads
# it while running, so a second bad version is written then.
CASES=(
    "config-cut config.txt live cut garbage"
    "config-empty config.txt live empty huge"
    "config-garbage config.txt live garbage zeros"
    "config-huge config.txt live huge extremes"
    "config-zeros config.txt live zeros empty"
    "config-extremes config.txt live extremes cut"
    "autosave-cut autosave no cut"
    "autosave-empty autosave no empty"
    "autosave-garbage autosave no garbage"
    "autosave-huge autosave no huge"
    "fontcache-cut tmp/font.* no cut"
    "fontcache-empty tmp/font.* no empty"
    "fontcache-garbage tmp/font.* no garbage"
    "fontcache-huge tmp/font.* no huge"
    "picture-cut $SET_DIR/01.png live cut garbage"
    "picture-empty $SET_DIR/01.png live empty huge"
    "picture-garbage $SET_DIR/01.png live garbage empty"
    "picture-huge $SET_DIR/01.png live huge cut"
    "wav-cut sounds/tile_match.wav live cut garbage"
    "wav-empty sounds/tile_match.wav live empty huge"
    "wav-garbage sounds/tile_match.wav live garbage empty"
    "wav-huge sounds/tile_match.wav live huge cut"
    "ogg-cut sounds/music.ogg live cut garbage"
    "ogg-empty sounds/music.ogg live empty huge"
    "ogg-garbage sounds/music.ogg live garbage empty"
    "ogg-huge sounds/music.ogg live huge cut"
    "sets-cut images/tiles/count no cut"
    "sets-empty images/tiles/count no empty"
    "sets-garbage images/tiles/count no garbage"
    "sets-huge images/tiles/count no huge"
    "sets-many images/tiles/count no many"
    "pictures-cut $SET_DIR/count no cut"
    "pictures-empty $SET_DIR/count no empty"
    "pictures-garbage $SET_DIR/count no garbage"
    "pictures-huge $SET_DIR/count no huge"
    "pictures-many $SET_DIR/count no many"
    "offsets-cut level_seed_offsets no cut"
    "offsets-empty level_seed_offsets no empty"
    "offsets-garbage level_seed_offsets no garbage"
    "offsets-huge level_seed_offsets no huge"
    "shader-cut shaders_desktop/fragment.c live cut garbage"
    "shader-empty shaders_desktop/fragment.c live empty huge"
    "shader-garbage shaders_desktop/fragment.c live garbage empty"
    "shader-huge shaders_desktop/fragment.c live huge cut"
)

# Runs one case in a run directory of its own; writes "STATUS" to
# DIR/status. Several cases run side by side on the one X server: each game
# is found by its process id.
run_case() {
    local name=$1 pattern=$2 live=$3 start_kind=$4 live_kind=${5:-}
    set +e  # a background job of its own: every outcome goes to the status file
    local dir="$E2E_DIR/case-$name" file pid game_pid="" wid status=lost
    cp -r "$GAME_RUN" "$dir"
    # Old times everywhere, so a file written during the run counts as changed.
    find "$dir" -type f -exec touch -d '2001-01-01 00:00:00' {} +
    for file in "$dir"/$pattern; do
        cp "$file" "$file.original"
        damage "$file" "$start_kind" "$file.original"
        touch -d '2001-01-01 00:00:00' "$file"
    done
    local attempt ended=""
    for attempt in 1 2 3; do
        # The status comes through a file: with thousands of short-lived
        # processes a recycled pid can make bash's "wait PID" report
        # another process's status.
        rm -f "$dir/rc"
        (cd "$dir" && "${GAME_LAUNCHER[@]}" "./$GAME_EXE"; echo $? >"$dir/rc") >"$dir/log" 2>&1 &
        pid=$!
        wid="" ended=""
        for _ in $(seq 1 150); do
            kill -0 "$pid" 2>/dev/null || break
            game_pid=$(pgrep -P "$pid" -x "$GAME_EXE") &&
                wid=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1) &&
                [ -n "$wid" ] && break
            sleep 0.2
        done
        [ -n "$wid" ] && break
        # Ended (or never showed a window): its status is the result, unless
        # a busy X server refused the connection outright - the test
        # machine's doing, so the case is tried again.
        if kill -0 "$pid" 2>/dev/null; then
            kill -9 "${game_pid:-$pid}"
            echo "no-window" >"$dir/status"
            return
        fi
        status=$(cat "$dir/rc" 2>/dev/null || echo lost)
        ended=yes
        grep -q 'Failed to open display' "$dir/log" || break
        sleep 1
    done
    if [ -z "$ended" ]; then
        sleep 1
        if [ "$live" = live ] && [ -n "$live_kind" ]; then
            for file in "$dir"/$pattern; do damage "$file" "$live_kind" "$file.original"; done
            sleep 1.5
        fi
        xdotool key --window "$wid" q 2>/dev/null || true
        for _ in $(seq 1 300); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null; then
            kill -9 "$game_pid"
            echo hung >"$dir/status"
            return
        fi
        status=$(cat "$dir/rc" 2>/dev/null || echo lost)
    fi
    echo "$status" >"$dir/status"
}

check_case() {
    local name=$1 pattern=$2
    local dir="$E2E_DIR/case-$name" status after
    status=$(cat "$dir/status" 2>/dev/null || echo lost)
    why() {
        echo "FAIL: $name: $*" >&2
        tail -n 30 "$dir/log" >&2
        FAILURES=$((FAILURES + 1))
    }
    if grep -qE 'ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer' "$dir/log"; then
        why "a sanitizer report"
        return
    fi
    case $status in
        hung) why "the game did not end after Q"; return ;;
        no-window) why "no window within 30 s"; return ;;
        lost) why "the case's job ended without a result"; return ;;
        0) ;;
        *)
            if [ "$status" -ge 128 ]; then why "the game died of signal $((status - 128))"; return; fi
            case $name in
                sets-* | pictures-*)
                    grep -q 'images/tiles/.*count' "$dir/log" || why "refused without naming a count file"
                    cmp -s "$dir/autosave" "$GAME_RUN/autosave" || why "a refused start changed the autosave"
                    REFUSED="$REFUSED $name"
                    return ;;
            esac
            why "exit status $status"
            return ;;
    esac
    after=$("${SAVE_TOOL[@]}" check "$dir/autosave" "$dir/images") || {
        why "the autosave left behind is not valid: $after"
        return
    }
    case $name in
        autosave-empty | autosave-garbage) ;;  # nothing valid was there to keep
        *) [ "${after%% *}" = "$LEVEL" ] || why "the saved level $LEVEL became ${after%% *}" ;;
    esac
    case $name in
        autosave-* | pictures-* | sets-* | offsets-*) ;;
        # Nothing else touches the board: the same level and board come back.
        *) [ "$after" = "$GOOD" ] || why "the saved board changed: '$GOOD' became '$after'" ;;
    esac
    rm -rf "$dir"
}

FAILURES=0
REFUSED=""
batch=()
pids=()
flush() {
    local c
    # Only the cases' jobs: the X server is a child of this shell too (and
    # a bare "wait" would wait for it).
    [ "${#pids[@]}" -gt 0 ] || return 0
    wait "${pids[@]}" 2>/dev/null || true
    pids=()
    for c in "${batch[@]}"; do
        read -r -a fields <<<"$c"
        check_case "${fields[0]}" "${fields[1]}"
    done
    batch=()
}
for c in "${CASES[@]}"; do
    read -r -a fields <<<"$c"
    run_case "${fields[@]}" &
    pids+=($!)
    batch+=("$c")
    [ "${#batch[@]}" -ge "$PARALLEL" ] && flush
done
flush
[ "$FAILURES" = 0 ] || fail "$FAILURES of ${#CASES[@]} cases failed"
echo "ok: ${#CASES[@]} cases; refused to start (naming the count file):${REFUSED:- none}"
