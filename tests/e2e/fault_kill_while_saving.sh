#!/usr/bin/env bash
# The game killed with SIGKILL at random moments while it plays and saves
# never leaves a damaged or lost "autosave": before every start the file is
# a whole, valid record, its level never goes back, and a clean start and
# quit keeps exactly the saved level and board.
#
# Rounds take turns:
#   advance - a saved board with one pair left: the pair is removed, the win
#             popup dismissed (the level advances and saves), killed at a
#             random moment from start-up to after the save;
#   toggles - the settings' music switch pressed as fast as possible (each
#             press saves), killed at a random moment;
#   restore - started and quit with Q: the level and board written back are
#             the ones read.
# KILL_ROUNDS sets the number of rounds (30 by default, about a minute).
source "$(dirname "$0")/lib.sh"
e2e_setup
SAVE_TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/save_tool.py")
BOARD_TOOL=(/usr/bin/python3 "$E2E_SOURCE_DIR/tests/e2e/board_tool.py")
ROUNDS=${KILL_ROUNDS:-30}
SAVE="$GAME_RUN/autosave"
LAYOUT="$E2E_DIR/layout"
IMAGES="$GAME_RUN/images"

# Window points: the menu button, the menu's Settings button and the
# settings' music switch, from the shipped config.txt.
MENU=(494 42)
SETTINGS=(416 269)
MUSIC_SWITCH=(388 440)
POPUP=(270 800)

# Polls CMD for up to SECONDS while the game runs; false when it gave up.
try_until() {
    local tries=$(($1 * 10))
    shift
    while [ "$tries" -gt 0 ] && game_is_running; do
        if "$@"; then return 0; fi
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

valid_save() {
    local state
    state=$("${SAVE_TOOL[@]}" check "$SAVE" "$IMAGES") || fail "$1: the autosave is not valid: $state"
    echo "$state"
}

# A random delay in seconds, 0 to $1, with millisecond steps.
random_delay() {
    awk -v r="$RANDOM" -v top="$1" 'BEGIN { printf "%.3f", r / 32767 * top }'
}

# Starts the game and arms a SIGKILL after a random delay.
start_and_arm_kill() {
    game_start
    local delay
    delay=$(random_delay "$1")
    (sleep "$delay" && kill -9 "$GAME_PID" 2>/dev/null) &
    KILLER_PID=$!
}

finish_killed_round() {
    local round=$1
    # The killer fires at the latest a few seconds from now.
    wait "$KILLER_PID" 2>/dev/null || true
    game_wait_exit
    [ "$GAME_STATUS" = 137 ] || fail "round $round: the game ended with status $GAME_STATUS before the kill"
    # A half-written temporary file means the kill landed inside a save.
    if [ -e "$SAVE.tmp" ]; then
        INSIDE_SAVE=$((INSIDE_SAVE + 1))
        rm -f "$SAVE.tmp"
    fi
}

round_advance() {
    local round=$1 level=$2
    while [ $((level % 10)) = 0 ] || [ "$level" -ge 9999 ]; do
        level=$(((level % 9998) + 1))
    done
    "${SAVE_TOOL[@]}" last_pair "$SAVE" "$LAYOUT" "$level"
    local a b
    read -r -a a <<<"$("${BOARD_TOOL[@]}" cell "$GAME_RUN/config.txt" "$LAYOUT" regular 7)"
    read -r -a b <<<"$("${BOARD_TOOL[@]}" cell "$GAME_RUN/config.txt" "$LAYOUT" regular 8)"
    start_and_arm_kill 2.5
    tile_face() { [ "$(screen_pixel "${a[0]}" $((a[1] - 36)))" = "255,255,255" ]; }
    if try_until 10 tile_face; then
        xdotool mousemove "${a[0]}" "${a[1]}" click 1 mousemove "${b[0]}" "${b[1]}" click 1
        sleep 0.7
        xdotool mousemove "${POPUP[@]}" click 1
    fi
    finish_killed_round "$round"
    local state after
    state=$(valid_save "round $round (advance from level $level)")
    after=${state%% *}
    [ "$after" = "$level" ] || [ "$after" = $((level + 1)) ] ||
        fail "round $round: level $level became $after"
    [ "$after" = "$level" ] && KEPT=$((KEPT + 1)) || ADVANCED=$((ADVANCED + 1))
}

round_toggles() {
    local round=$1 level=$2
    start_and_arm_kill 2.5
    if try_until 10 game_is_running; then
        sleep 0.4
        xdotool mousemove "${MENU[@]}" click 1
        sleep 0.3
        xdotool mousemove "${SETTINGS[@]}" click 1
        sleep 0.3
        xdotool mousemove "${MUSIC_SWITCH[@]}" click --repeat 120 --delay 8 1 2>/dev/null || true
    fi
    finish_killed_round "$round"
    local state after
    state=$(valid_save "round $round (toggles at level $level)")
    after=${state%% *}
    # A board saved at the end of its level shows the win popup, and any
    # press on it moves on.
    [ "$after" = "$level" ] || [ "$after" = $((level + 1)) ] ||
        fail "round $round: level $level became $after"
}

round_restore() {
    local round=$1 before=$2
    game_start
    sleep "$(random_delay 1)"
    xdotool key --window "$GAME_WID" q
    game_wait_exit
    [ "$GAME_STATUS" = 0 ] || fail "round $round: Q ended the game with status $GAME_STATUS"
    local after
    after=$(valid_save "round $round (restore)")
    [ "$after" = "$before" ] || fail "round $round: started with '$before', quit with '$after'"
}

KEPT=0 ADVANCED=0 INSIDE_SAVE=0
"${SAVE_TOOL[@]}" last_pair "$SAVE" "$LAYOUT" 2
# A stale temporary file from an earlier crash changes nothing.
head -c 7 /dev/urandom >"$SAVE.tmp"
for round in $(seq 1 "$ROUNDS"); do
    state=$(valid_save "before round $round")
    level=${state%% *}
    case $((round % 3)) in
        1) round_advance "$round" "$level" ;;
        2) round_toggles "$round" "$level" ;;
        0) round_restore "$round" "$state" ;;
    esac
done
valid_save "after the last round" >/dev/null
echo "ok: $ROUNDS rounds; advance rounds killed before the save $KEPT times, after it $ADVANCED;" \
    "$INSIDE_SAVE kills inside a save"
