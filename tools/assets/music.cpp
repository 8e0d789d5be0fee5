// The background music: sixteen bars in C major at a relaxed tempo, played
// for hours, so it stays soft and unhurried. A warm pad and a rolling mallet
// arpeggio carry the chord loop, a triangle bass walks under it, a
// pentatonic melody sings on top (mallet in the first half, a breathy
// flute-like voice in the second) and a kick, shaker and snap keep time
// quietly. The loop is rendered with room to ring out and the overhang is
// added back onto the start, so the end flows into the beginning.
#include "sounds.h"

#include <cmath>

static const double BEAT = 60.0 / 92.0;
static const int BARS = 16;
static const int BEATS_PER_BAR = 4;

struct Chord {
    float bass;         // root, low
    float tones[3];     // close voicing around middle C
};

static const Chord CHORD_C = {48, {60, 64, 67}};
static const Chord CHORD_AM = {45, {60, 64, 69}};
static const Chord CHORD_F = {41, {60, 65, 69}};
static const Chord CHORD_G = {43, {59, 62, 67}};
static const Chord CHORD_EM = {40, {59, 64, 67}};

static const Chord *const PROGRESSION[BARS] = {
    &CHORD_C, &CHORD_AM, &CHORD_F, &CHORD_G, &CHORD_C, &CHORD_AM, &CHORD_F, &CHORD_G,
    &CHORD_F, &CHORD_G, &CHORD_EM, &CHORD_AM, &CHORD_F, &CHORD_G, &CHORD_C, &CHORD_G,
};

struct Note {
    float beat;     // from the start of the loop
    float beats;    // length
    float note;
};

// Melody by bar: C D E G A only, chord tones on the strong beats.
#define BAR(n) (n * 4.0f)
static const Note MELODY[] = {
    {BAR(0) + 0, 1.5f, 76}, {BAR(0) + 1.5f, 0.5f, 74}, {BAR(0) + 2, 1, 72}, {BAR(0) + 3, 1, 74},
    {BAR(1) + 0, 1, 76}, {BAR(1) + 1, 1, 79}, {BAR(1) + 2, 2, 81},
    {BAR(2) + 0, 1.5f, 81}, {BAR(2) + 1.5f, 0.5f, 84}, {BAR(2) + 2, 1, 81}, {BAR(2) + 3, 1, 79},
    {BAR(3) + 0, 1.5f, 74}, {BAR(3) + 1.5f, 0.5f, 76}, {BAR(3) + 2, 2, 74},
    {BAR(4) + 0, 1.5f, 76}, {BAR(4) + 1.5f, 0.5f, 79}, {BAR(4) + 2, 1, 84}, {BAR(4) + 3, 1, 81},
    {BAR(5) + 0, 1, 79}, {BAR(5) + 1, 1, 76}, {BAR(5) + 2, 1.5f, 81}, {BAR(5) + 3.5f, 0.5f, 79},
    {BAR(6) + 0, 1, 81}, {BAR(6) + 1, 1, 84}, {BAR(6) + 2, 1, 81}, {BAR(6) + 3, 1, 79},
    {BAR(7) + 0, 2.5f, 79}, {BAR(7) + 3, 0.5f, 74}, {BAR(7) + 3.5f, 0.5f, 76},
    {BAR(8) + 0, 1.5f, 81}, {BAR(8) + 1.5f, 0.5f, 79}, {BAR(8) + 2, 1, 81}, {BAR(8) + 3, 1, 84},
    {BAR(9) + 0, 2, 86}, {BAR(9) + 2, 1, 84}, {BAR(9) + 3, 1, 79},
    {BAR(10) + 0, 1.5f, 79}, {BAR(10) + 1.5f, 0.5f, 76}, {BAR(10) + 2, 1, 79}, {BAR(10) + 3, 0.5f, 81},
    {BAR(10) + 3.5f, 0.5f, 79},
    {BAR(11) + 0, 2, 76}, {BAR(11) + 2, 1, 72}, {BAR(11) + 3, 1, 74},
    {BAR(12) + 0, 1.5f, 81}, {BAR(12) + 1.5f, 0.5f, 79}, {BAR(12) + 2, 1, 76}, {BAR(12) + 3, 1, 72},
    {BAR(13) + 0, 1.5f, 74}, {BAR(13) + 1.5f, 0.5f, 76}, {BAR(13) + 2, 1.5f, 79}, {BAR(13) + 3.5f, 0.5f, 81},
    {BAR(14) + 0, 1, 79}, {BAR(14) + 1, 1, 76}, {BAR(14) + 2, 2, 72},
    {BAR(15) + 0, 2.5f, 74},
};
#undef BAR

static double beat_time(double beat) { return beat * BEAT; }

static void add_pad(Track &t, double at, const Chord &c) {
    for (float n : c.tones) {
        for (int side = -1; side <= 1; side += 2) {   // two voices a few cents apart
            Tone v = {};
            v.wave = WAVE_SINE;
            v.hz = note_hz(n + side * 0.04f);
            v.length = (float)(BEATS_PER_BAR * BEAT);
            v.amp = 0.045f;
            v.attack = 0.45f;
            v.release = 0.6f;
            v.vibrato_hz = 0.3f + 0.1f * side;
            v.vibrato_cents = 3.0f;
            add_tone(t, at, v);
        }
    }
}

static void add_arpeggio(Track &t, double bar_at, const Chord &c, bool second_half) {
    const float tones[4] = {c.tones[0], c.tones[1], c.tones[2], c.tones[0] + 12};
    static const int first_pattern[8] = {0, 1, 2, 3, 2, 1, 2, 1};
    static const int second_pattern[8] = {0, 2, 1, 2, 3, 2, 1, 2};
    const int *pattern = second_half ? second_pattern : first_pattern;
    for (int i = 0; i < 8; i++) {
        float accent = (i % 2 == 0) ? 1.0f : 0.75f;
        Mallet m = {note_hz(tones[pattern[i]]), 0.16f * accent, 0.42f, 0.3f};
        add_mallet(t, bar_at + beat_time(0.5 * i), m);
    }
}

static void add_bass(Track &t, double bar_at, const Chord &c) {
    const Note line[4] = {{0, 1.4f, c.bass}, {1.5f, 0.4f, c.bass}, {2, 1.4f, c.bass + 7}, {3.5f, 0.4f, c.bass + 12}};
    for (const Note &n : line) {
        Tone v = {};
        v.wave = WAVE_TRIANGLE;
        v.hz = note_hz(n.note);
        v.length = (float)(n.beats * BEAT);
        v.amp = 0.34f;
        v.attack = 0.012f;
        v.release = 0.09f;
        v.decay = 1.1f;
        add_tone(t, bar_at + beat_time(n.beat), v);
    }
}

static void add_melody(Track &t) {
    for (const Note &n : MELODY) {
        double at = beat_time(n.beat);
        float length = (float)(n.beats * BEAT);
        if (n.beat < BARS / 2 * BEATS_PER_BAR) {
            Mallet m = {note_hz(n.note), 0.3f, 0.5f, 0.45f};
            add_mallet(t, at, m);
            Tone body = {};
            body.wave = WAVE_SINE;
            body.hz = note_hz(n.note);
            body.length = length * 0.9f;
            body.amp = 0.07f;
            body.attack = 0.02f;
            body.release = 0.12f;
            add_tone(t, at, body);
        } else {
            Tone flute = {};
            flute.wave = WAVE_TRIANGLE;
            flute.hz = note_hz(n.note);
            flute.length = length * 0.92f;
            flute.amp = 0.22f;
            flute.attack = 0.035f;
            flute.release = 0.14f;
            flute.vibrato_hz = 5.0f;
            flute.vibrato_cents = length > 0.8f ? 10.0f : 0.0f;
            flute.vibrato_delay = 0.25f;
            add_tone(t, at, flute);
            Mallet touch = {note_hz(n.note), 0.12f, 0.25f, 0.3f};
            add_mallet(t, at, touch);
            NoiseBurst breath = {length * 0.9f, 0.012f, note_hz(n.note) * 2, note_hz(n.note) * 2, 2.0f,
                                 0.05f, 0.0f, (uint32_t)(n.beat * 8)};
            add_noise(t, at, breath);
        }
    }
}

static void add_drums(Track &t, double bar_at, int bar) {
    for (int beat = 0; beat < BEATS_PER_BAR; beat += 2) add_kick(t, bar_at + beat_time(beat), 0.32f);
    for (int beat = 1; beat < BEATS_PER_BAR; beat += 2) {
        NoiseBurst snap = {0.09f, 0.1f, 1900.0f, 1500.0f, 1.8f, 0.001f, 0.028f, (uint32_t)(bar * 16 + beat)};
        add_noise(t, bar_at + beat_time(beat), snap);
    }
    for (int i = 0; i < 8; i++) {
        float amp = (i % 2) ? 0.1f : 0.06f;
        NoiseBurst shaker = {0.06f, amp, 7500.0f, 6500.0f, 1.2f, 0.006f, 0.018f, (uint32_t)(bar * 64 + i + 1000)};
        add_noise(t, bar_at + beat_time(0.5 * i), shaker);
    }
}

void make_music(Track &track) {
    const double loop = BARS * BEATS_PER_BAR * BEAT;
    const size_t loop_n = (size_t)std::llround(loop * SYNTH_RATE);
    track.clear();
    ensure_seconds(track, loop + 3.0);
    for (int bar = 0; bar < BARS; bar++) {
        double at = beat_time(bar * BEATS_PER_BAR);
        const Chord &c = *PROGRESSION[bar];
        add_pad(track, at, c);
        add_arpeggio(track, at, c, bar >= BARS / 2);
        add_bass(track, at, c);
        add_drums(track, at, bar);
    }
    add_melody(track);
    add_reverb(track, 0.2f, 0.8f, 3.0);
    // Whatever rings past the end would be heard at the start of the next
    // pass: put it there.
    for (size_t i = loop_n; i < track.size(); i++) track[(i - loop_n) % loop_n] += track[i];
    track.resize(loop_n);
}
