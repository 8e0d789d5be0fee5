#!/usr/bin/env bash
# A long session of scripted play while the data files keep changing: the
# game must neither crash nor grow.
#
# The player presses tiles, the menu, the settings and anything else at
# random; every second a writer changes config.txt (the background colour),
# the fragment shader (a comment line), a tile picture of the set on screen
# and a sound effect, so each live reload runs about once a second. The
# resident memory (VmRSS, which with the software rasteriser also holds the
# textures) is sampled every two seconds. The first third of the run is
# warm-up; of the rest, the mean of the later half may exceed the mean of
# the earlier half by at most SOAK_RSS_SLACK_KB (8 MB by default): a leak
# shows as a steady climb, while the allocator and the rasteriser's caches
# only wobble by a few megabytes. In a sanitizer build the allocator keeps
# freed memory in its quarantine (256 MB by default), so its resident size
# says nothing about leaks: there only the absence of crashes and reports,
# leaks at exit included, is checked, and the trend is judged in the normal
# build.
#
# SOAK_SECONDS sets the length (75 by default; bench/README.md shows a
# 10-minute run). The figures are printed at the end.
source "$(dirname "$0")/lib.sh"
e2e_setup
SECONDS_TOTAL=${SOAK_SECONDS:-75}
SLACK_KB=${SOAK_RSS_SLACK_KB:-8192}
SAVE_TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/save_tool.py")
"${SAVE_TOOL[@]}" fresh "$GAME_RUN/autosave" 2

# Not "ldd | grep -q": grep leaving early can kill ldd with SIGPIPE, which
# pipefail turns into "not instrumented".
instrumented=no
libraries=$(ldd "$GAME_BIN")
case $libraries in *libasan* | *libtsan*) instrumented=yes ;; esac

# Both versions of every file the writer alternates between.
mkdir "$E2E_DIR/versions"
V="$E2E_DIR/versions"
cp "$GAME_RUN/config.txt" "$V/config.a"
sed 's/^bg_color = .*/bg_color = 240, 226, 190/' "$GAME_RUN/config.txt" >"$V/config.b"
cp "$GAME_RUN/shaders_desktop/fragment.c" "$V/fragment.a"
{ cat "$V/fragment.a"; echo "// soak: the same shader with one more line"; } >"$V/fragment.b"
cp "$GAME_RUN/images/tiles/01/01.png" "$V/picture.a"
cp "$GAME_RUN/images/tiles/01/02.png" "$V/picture.b"
cp "$GAME_RUN/sounds/tile_match.wav" "$V/sound.a"
cp "$GAME_RUN/sounds/tap.wav" "$V/sound.b"

writer() {
    local n=0 v
    while :; do
        v=$([ $((n % 2)) = 0 ] && echo b || echo a)
        # Written in place, as an editor would: a reload may meet a
        # half-written file and must try again later.
        cp "$V/config.$v" "$GAME_RUN/config.txt"
        cp "$V/fragment.$v" "$GAME_RUN/shaders_desktop/fragment.c"
        cp "$V/picture.$v" "$GAME_RUN/images/tiles/01/01.png"
        cp "$V/sound.$v" "$GAME_RUN/sounds/tile_match.wav"
        n=$((n + 1))
        sleep 1
    done
}

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null; }

# One random action: mostly the board, sometimes the menu, the settings or
# anywhere at all (which also dismisses whatever popup is open).
play_once() {
    local r=$((RANDOM % 20)) x y
    case $r in
        0) x=494 y=42 ;;                  # menu button
        1) x=416 y=269 ;;                 # Settings in the menu
        2) x=388 y=$((RANDOM % 2 ? 440 : 530)) ;;  # music or sound switch
        3) x=$((RANDOM % 540)) y=$((RANDOM % 960)) ;;
        *) x=$((40 + RANDOM % 460)) y=$((200 + RANDOM % 700)) ;;
    esac
    xdotool mousemove "$x" "$y" click 1
}

game_start
writer &
WRITER_PID=$!
stop_writer() { kill "$WRITER_PID" 2>/dev/null || true; wait "$WRITER_PID" 2>/dev/null || true; }
trap 'stop_writer; e2e_cleanup' EXIT

start=$(date +%s)
warmup=$((SECONDS_TOTAL / 3))
next_sample=$start
samples=()
clicks=0
while [ $(($(date +%s) - start)) -lt "$SECONDS_TOTAL" ]; do
    game_is_running || fail "the game ended during the soak (after $(($(date +%s) - start)) s, $clicks presses)"
    play_once
    clicks=$((clicks + 1))
    sleep 0.08
    now=$(date +%s)
    if [ "$now" -ge "$next_sample" ]; then
        rss=$(rss_kb)
        [ -n "$rss" ] && samples+=("$((now - start)):$rss")
        next_sample=$((now + 2))
    fi
done
final=$(rss_kb)
stop_writer
game_is_running || fail "the game ended at the end of the soak"
xdotool key --window "$GAME_WID" q
game_wait_exit
[ "$GAME_STATUS" = 0 ] || fail "Q after the soak ended the game with status $GAME_STATUS"
grep -qE 'ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer' "$GAME_LOG" &&
    fail "a sanitizer report during the soak"

# Means of the earlier and the later half of the samples after warm-up,
# and the climb per minute between their midpoints.
read -r early late slope < <(printf '%s\n' "${samples[@]}" | awk -F: -v warmup="$warmup" '
    BEGIN { n = 0 }
    $1 >= warmup { t[n] = $1; v[n] = $2; n++ }
    END {
        if (n < 4) { print "", "", ""; exit }
        h = int(n / 2)
        for (i = 0; i < h; i++) { a += v[i]; ta += t[i] }
        for (i = h; i < n; i++) { b += v[i]; tb += t[i] }
        a /= h; b /= n - h; ta /= h; tb /= n - h
        printf "%d %d %d\n", a, b, (b - a) / (tb - ta) * 60
    }')
echo "soak: ${SECONDS_TOTAL} s, $clicks presses, RSS samples (s:kB): ${samples[*]}"
echo "soak: RSS mean ${early:-?} kB early, ${late:-?} kB late after warm-up, ${final:-?} kB at the end;" \
    "climb ${slope:-?} kB/min"
if [ "$instrumented" = no ]; then
    [ -n "$early" ] || fail "too few memory samples after the warm-up"
    [ $((late - early)) -le "$SLACK_KB" ] ||
        fail "resident memory climbed from $early kB to $late kB (allowed $SLACK_KB kB)"
fi
echo "ok"
