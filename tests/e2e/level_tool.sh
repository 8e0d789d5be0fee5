#!/bin/bash
# level_tool.sh - the level tool's command line: board printing, argument
# errors, the offsets file, solving and designing a table.
set -u
TOOL="$GAME_BUILD_DIR/level-tool"
COUNTS=32,32,30,32,32,32,32,32
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Level 1: four rows of five cells, single spaces, nothing else.
out=$("$TOOL" 1 --counts $COUNTS) || fail "level 1 exit status $?"
[ "$(printf '%s\n' "$out" | wc -l)" = 4 ] || fail "level 1 has not 4 rows: $out"
printf '%s\n' "$out" | grep -qvE '^[0-9]+( [0-9]+){4}$' && fail "level 1 row format: $out"
[ "$(printf '%s\n' "$out" | head -1)" = "0 0 0 0 0" ] || fail "level 1 top frame row"
[ "$("$TOOL" 1 --counts $COUNTS)" = "$out" ] || fail "level 1 differs between runs"

# Bad arguments: status 2, a message on stderr, nothing on stdout.
expect_usage_error() {
    local stdout stderr status
    stdout=$("$TOOL" "$@" 2>"$WORK/err"); status=$?
    [ $status = 2 ] || fail "'$*' exit status $status, expected 2"
    [ -z "$stdout" ] || fail "'$*' printed on stdout: $stdout"
    [ -s "$WORK/err" ] || fail "'$*' gave no message"
}
expect_usage_error 0 --counts $COUNTS
expect_usage_error 10000 --counts $COUNTS
expect_usage_error 12x --counts $COUNTS
expect_usage_error 5
expect_usage_error
expect_usage_error 5 --counts 3,,4
expect_usage_error 5 --counts 0
expect_usage_error 5 --counts 256
expect_usage_error 5 --counts
expect_usage_error 5 --counts $COUNTS --offsets "$WORK/missing"
expect_usage_error 5 --counts $COUNTS --frobnicate
expect_usage_error 5 --counts-from "$WORK/nothing-here"
expect_usage_error design --counts $COUNTS
expect_usage_error 5 --counts $COUNTS --out "$WORK/x"

# An offsets record for level 17 (key 16) changes level 17 only.
printf '\x10\x00\x03' > "$WORK/offsets"
for level in 16 17 18; do
    plain=$("$TOOL" $level --counts $COUNTS)
    moved=$("$TOOL" $level --counts $COUNTS --offsets "$WORK/offsets")
    if [ $level = 17 ]; then
        [ "$plain" != "$moved" ] || fail "offset did not change level 17"
    else
        [ "$plain" = "$moved" ] || fail "offset for 17 changed level $level"
    fi
done

# Pairs Countdown boards follow --seed.
a=$("$TOOL" 20 --counts $COUNTS --seed 7)
b=$("$TOOL" 20 --counts $COUNTS --seed 7)
c=$("$TOOL" 20 --counts $COUNTS --seed 8)
[ "$a" = "$b" ] || fail "same seed, different Pairs Countdown board"
[ "$a" != "$c" ] || fail "seed ignored for Pairs Countdown"
[ "$(printf '%s\n' "$a" | wc -l)" = 10 ] || fail "Pairs Countdown board is not 10 rows"

# Counts read from an images directory like the asset step writes.
mkdir -p "$WORK/images/tiles/01" "$WORK/images/tiles/02"
echo 2 > "$WORK/images/tiles/count"
echo 32 > "$WORK/images/tiles/01/count"
echo 32 > "$WORK/images/tiles/02/count"
[ "$("$TOOL" 15 --counts-from "$WORK/images")" = "$("$TOOL" 15 --counts 32,32)" ] ||
    fail "--counts-from differs from --counts"

# Solving: level 1 is clearable and the tool says how.
out=$("$TOOL" solve 1 --counts $COUNTS --games 50) || fail "solve 1 exit status $?"
printf '%s\n' "$out" | grep -q '^level 1: solvable' || fail "solve 1 verdict: $out"
printf '%s\n' "$out" | grep -qE '^order:( [0-9]+-[0-9]+){3}$' || fail "solve 1 order: $out"

# Designing the first 200 levels: records of 3 bytes, and with the table
# every designed level solves.
"$TOOL" design --counts $COUNTS --last 200 --out "$WORK/designed" 2>"$WORK/summary" ||
    fail "design exit status"
grep -q 'unfixable: none' "$WORK/summary" || fail "design summary: $(cat "$WORK/summary")"
size=$(stat -c %s "$WORK/designed")
[ $((size % 3)) = 0 ] && [ "$size" -gt 0 ] || fail "designed table size $size"
for level in $(seq 1 200); do
    [ $((level % 20)) = 0 ] && continue
    "$TOOL" solve $level --counts $COUNTS --offsets "$WORK/designed" > /dev/null ||
        fail "level $level not solvable with the designed table"
done

[ $failures = 0 ] && echo "level tool: all checks passed"
exit $((failures > 0))
