// The ten sound effects. They keep to the notes of C major pentatonic
// (C D E G A), the key of the music, so that an effect over the music never
// clashes with it.
#include "sounds.h"

#include <cmath>

// A tone with the usual soft envelope; callers adjust the rest.
static Tone soft_tone(Wave wave, float note, float length, float amp) {
    Tone t = {};
    t.wave = wave;
    t.hz = note_hz(note);
    t.length = length;
    t.amp = amp;
    t.attack = 0.008f;
    t.release = 0.08f;
    return t;
}

static Mallet mallet(float note, float amp, float decay, float brightness) {
    return Mallet{note_hz(note), amp, decay, brightness};
}

// A soft wooden tap for buttons.
static void make_tap(Track &s) {
    add_mallet(s, 0.0, mallet(79, 1.0f, 0.035f, 0.35f));
    NoiseBurst tick = {0.02f, 0.35f, 2500.0f, 1800.0f, 0.0f, 0.0005f, 0.004f, 11};
    add_noise(s, 0.0, tick);
}

// Two quick ticks, the second higher: a switch flipping.
static void make_toggle(Track &s) {
    add_mallet(s, 0.0, mallet(79, 0.8f, 0.04f, 0.4f));
    add_mallet(s, 0.055, mallet(86, 1.0f, 0.05f, 0.45f));
    NoiseBurst tick = {0.015f, 0.25f, 3000.0f, 3000.0f, 0.0f, 0.0005f, 0.003f, 12};
    add_noise(s, 0.0, tick);
    add_noise(s, 0.055, tick);
}

// A bright, short "tink" with a little upward flick.
static void make_tile_select(Track &s) {
    add_mallet(s, 0.0, mallet(88, 1.0f, 0.11f, 0.7f));
    Tone flick = soft_tone(WAVE_SINE, 88, 0.04f, 0.25f);
    flick.glide_to_hz = note_hz(93);
    flick.glide_time = 0.035f;
    flick.attack = 0.002f;
    flick.release = 0.05f;
    add_tone(s, 0.0, flick);
    add_reverb(s, 0.12f, 0.7f, 0.3);
}

// The reward for every pair: two chimes a fifth apart and a sparkle above.
static void make_tile_match(Track &s) {
    add_chime(s, 0.0, note_hz(84), 0.8f, 0.30f);
    add_mallet(s, 0.0, mallet(84, 0.5f, 0.12f, 0.6f));
    add_chime(s, 0.065, note_hz(91), 0.9f, 0.34f);
    add_mallet(s, 0.065, mallet(91, 0.4f, 0.10f, 0.5f));
    add_chime(s, 0.13, note_hz(96), 0.25f, 0.22f);
    add_reverb(s, 0.2f, 0.72f, 0.6);
}

// A gentle falling "hmm": three notes down to A, the last one sagging.
static void make_no_moves(Track &s) {
    const float notes[3] = {76, 72, 69};
    for (int i = 0; i < 3; i++) {
        double at = 0.17 * i;
        bool last = i == 2;
        Tone t = soft_tone(WAVE_TRIANGLE, notes[i], last ? 0.42f : 0.13f, 0.5f);
        t.release = last ? 0.2f : 0.05f;
        if (last) {
            t.glide_to_hz = note_hz(notes[i] - 0.6f);
            t.glide_time = 0.5f;
            t.vibrato_hz = 5.0f;
            t.vibrato_cents = 14.0f;
            t.vibrato_delay = 0.12f;
        }
        add_tone(s, at, t);
        add_mallet(s, at, mallet(notes[i], 0.35f, 0.18f, 0.3f));
    }
    add_reverb(s, 0.18f, 0.75f, 0.5);
}

// A whoosh with the riffle of tiles changing places inside it.
static void make_shuffle(Track &s) {
    NoiseBurst rise = {0.32f, 0.9f, 350.0f, 2600.0f, 1.6f, 0.26f, 0.0f, 21};
    NoiseBurst fall = {0.34f, 0.9f, 2600.0f, 700.0f, 1.6f, 0.0f, 0.0f, 22};
    add_noise(s, 0.0, rise);
    add_noise(s, 0.30, fall);
    NoiseState jitter = {77};
    for (int i = 0; i < 12; i++) {
        double at = 0.1 + 0.034 * i + 0.008 * next_noise(jitter);
        float swell = 1.0f - std::abs(i - 5.5f) / 7.0f;
        NoiseBurst tick = {0.02f, 0.55f * swell, 3800.0f, 3200.0f, 3.0f, 0.0005f, 0.004f, 30u + i};
        add_noise(s, at, tick);
    }
    add_reverb(s, 0.12f, 0.7f, 0.3);
}

// A round pop: a sine flicking upwards, then a soft note.
static void make_menu_panel(Track &s) {
    Tone pop = soft_tone(WAVE_SINE, 0, 0.05f, 1.0f);
    pop.hz = 330.0f;
    pop.glide_to_hz = 990.0f;
    pop.glide_time = 0.04f;
    pop.attack = 0.002f;
    pop.decay = 0.03f;
    pop.release = 0.02f;
    add_tone(s, 0.0, pop);
    add_mallet(s, 0.03, mallet(84, 0.3f, 0.08f, 0.3f));
    NoiseBurst puff = {0.03f, 0.2f, 1500.0f, 900.0f, 0.0f, 0.001f, 0.006f, 41};
    add_noise(s, 0.0, puff);
}

// Rising arpeggio into a held C major chord with a sparkle on top.
static void make_win_popup(Track &s) {
    const float up[4] = {72, 76, 79, 84};
    for (int i = 0; i < 4; i++) {
        add_mallet(s, 0.085 * i, mallet(up[i], 0.7f, 0.25f, 0.6f));
        Tone t = soft_tone(WAVE_TRIANGLE, up[i], 0.07f, 0.25f);
        add_tone(s, 0.085 * i, t);
    }
    const double chord_at = 0.36;
    const float chord[4] = {72, 76, 79, 84};
    for (float n : chord) {
        Tone pad = soft_tone(WAVE_SINE, n, 0.55f, 0.16f);
        pad.attack = 0.02f;
        pad.release = 0.45f;
        add_tone(s, chord_at, pad);
        add_mallet(s, chord_at, mallet(n, 0.35f, 0.4f, 0.5f));
    }
    Tone top = soft_tone(WAVE_TRIANGLE, 88, 0.55f, 0.3f);
    top.attack = 0.01f;
    top.release = 0.4f;
    top.vibrato_hz = 5.5f;
    top.vibrato_cents = 12.0f;
    top.vibrato_delay = 0.15f;
    add_tone(s, chord_at, top);
    const float sparkle[5] = {96, 100, 103, 108, 103};
    for (int i = 0; i < 5; i++) add_chime(s, chord_at + 0.08 + 0.07 * i, note_hz(sparkle[i]), 0.12f, 0.15f);
    add_reverb(s, 0.25f, 0.8f, 0.8);
}

// The tile set is complete: a longer fanfare, I - IV - V - I, with bass,
// a singing top line, a cymbal swell and sparkles.
static void make_win2_popup(Track &s) {
    const float run[7] = {60, 64, 67, 72, 76, 79, 84};
    for (int i = 0; i < 7; i++) add_mallet(s, 0.065 * i, mallet(run[i], 0.6f, 0.22f, 0.6f));
    struct Step {
        double at;
        float bass;
        float chord[3];
        float top;
        float top_length;
    };
    const Step steps[3] = {
        {0.50, 41, {65, 69, 72}, 81, 0.26f},
        {0.80, 43, {67, 71, 74}, 83, 0.26f},
        {1.10, 36, {67, 72, 76}, 84, 0.9f},
    };
    for (const Step &st : steps) {
        Tone bass = soft_tone(WAVE_TRIANGLE, st.bass, st.top_length, 0.45f);
        bass.release = 0.25f;
        add_tone(s, st.at, bass);
        for (float n : st.chord) {
            Tone pad = soft_tone(WAVE_SINE, n, st.top_length, 0.13f);
            pad.attack = 0.015f;
            pad.release = 0.35f;
            add_tone(s, st.at, pad);
            add_mallet(s, st.at, mallet(n, 0.3f, 0.35f, 0.5f));
        }
        Tone top = soft_tone(WAVE_TRIANGLE, st.top, st.top_length, 0.32f);
        top.release = 0.3f;
        top.vibrato_hz = 5.5f;
        top.vibrato_cents = st.top_length > 0.5f ? 14.0f : 0.0f;
        top.vibrato_delay = 0.2f;
        add_tone(s, st.at, top);
        add_mallet(s, st.at, mallet(st.top, 0.4f, 0.3f, 0.6f));
    }
    NoiseBurst cymbal = {1.4f, 0.22f, 7000.0f, 5000.0f, 0.8f, 0.01f, 0.45f, 51};
    add_noise(s, 1.10, cymbal);
    const float sparkle[8] = {96, 100, 103, 108, 105, 100, 103, 108};
    for (int i = 0; i < 8; i++) add_chime(s, 1.18 + 0.075 * i, note_hz(sparkle[i]), 0.1f, 0.16f);
    add_reverb(s, 0.28f, 0.82f, 1.0);
}

// A kind, descending phrase over F major turning to A minor.
static void make_lose_popup(Track &s) {
    const float line[4] = {76, 74, 72, 69};
    for (int i = 0; i < 4; i++) {
        bool last = i == 3;
        Tone t = soft_tone(WAVE_TRIANGLE, line[i], last ? 0.8f : 0.24f, 0.42f);
        t.attack = 0.03f;
        t.release = last ? 0.45f : 0.08f;
        t.vibrato_hz = 4.8f;
        t.vibrato_cents = last ? 16.0f : 6.0f;
        t.vibrato_delay = last ? 0.2f : 0.08f;
        add_tone(s, 0.28 * i, t);
    }
    const float first[3] = {53, 57, 60}, second[3] = {57, 60, 64};
    for (int i = 0; i < 3; i++) {
        Tone pad = soft_tone(WAVE_SINE, first[i], 0.8f, 0.1f);
        pad.attack = 0.15f;
        pad.release = 0.25f;
        add_tone(s, 0.0, pad);
        pad.hz = note_hz(second[i]);
        pad.length = 1.0f;
        pad.release = 0.6f;
        add_tone(s, 0.84, pad);
    }
    add_reverb(s, 0.2f, 0.8f, 0.8);
}

const EffectRecipe effect_recipes[] = {
    {"tap.wav", make_tap, 0.35f},
    {"toggle.wav", make_toggle, 0.35f},
    {"tile_select.wav", make_tile_select, 0.38f},
    {"tile_match.wav", make_tile_match, 0.45f},
    {"no_moves.wav", make_no_moves, 0.45f},
    {"shuffle.wav", make_shuffle, 0.45f},
    {"menu_panel.wav", make_menu_panel, 0.4f},
    {"win_popup.wav", make_win_popup, 0.45f},
    {"win2_popup.wav", make_win2_popup, 0.45f},
    {"lose_popup.wav", make_lose_popup, 0.45f},
};
const int effect_recipe_count = sizeof effect_recipes / sizeof effect_recipes[0];
