#!/usr/bin/env bash
# The real output stream, captured through SDL's file-writing driver, is
# the music fading in: quiet at first, full after the one-second fade, and
# never clipped.
source "$(dirname "$0")/lib.sh"
e2e_setup

export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$E2E_DIR/stream.raw"
game_start
sleep 3
xdotool key q
game_wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the game exited with status $GAME_STATUS"

/usr/bin/python3 - "$SDL_DISKAUDIOFILE" <<'PY' || fail "the captured stream is not the music fading in"
import array, math, sys
samples = array.array('f')
with open(sys.argv[1], 'rb') as f:
    samples.frombytes(f.read())
rate = 24000
onset = next((i for i, s in enumerate(samples) if abs(s) > 1e-6), None)
if onset is None:
    sys.exit("the stream is silent")
def rms(start, seconds):
    part = samples[onset + int(start * rate):onset + int((start + seconds) * rate)]
    if len(part) < int(seconds * rate) // 2:
        sys.exit("the stream ends %.2f s after the music started" % start)
    return math.sqrt(sum(s * s for s in part) / len(part))
first = rms(0.0, 0.1)
full = rms(1.1, 0.8)
peak = max(abs(s) for s in samples)
print("onset %.3f s, rms first 0.1 s %.4f, after the fade %.4f, peak %.3f"
      % (onset / rate, first, full, peak))
if not full > 0.02:
    sys.exit("the music is too quiet after its fade")
if not first < full * 0.35:
    sys.exit("the music does not fade in")
if peak > 1.0:
    sys.exit("the output clips")
PY
echo "ok"
