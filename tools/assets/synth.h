// The asset step's small synthesiser: a few instrument voices that add
// themselves into a mono buffer of float samples at 24000 Hz, a reverb, and
// the finishing steps (normalise, fade, trim) that every sound goes through.
//
// Words used here: a Track is a growable buffer of samples; times are in
// seconds from the start of the track; pitches are MIDI note numbers
// (60 = middle C, 69 = A 440 Hz) or frequencies in Hz where a voice glides.
// Every voice is deterministic, so the assets are the same on every build.
#pragma once

#include <cstdint>
#include <vector>

const int SYNTH_RATE = 24000;

typedef std::vector<float> Track;

// Frequency of a MIDI note number (fractions allowed).
float note_hz(float note);

// Grows the track with silence so that it holds at least `seconds`.
void ensure_seconds(Track &track, double seconds);

// A struck bar: the marimba-like 1 : 4 : 10 partials, each decaying
// exponentially (higher ones faster), with a soft 3 ms onset and a tiny
// low-passed knock. `brightness` 0..1 sets the weight of the upper partials.
struct Mallet {
    float hz;
    float amp;
    float decay;        // time constant of the fundamental, seconds
    float brightness;
};
void add_mallet(Track &track, double start, const Mallet &m);

// A bell-like chime: inharmonic sine partials over a mallet strike.
void add_chime(Track &track, double start, float hz, float amp, float decay);

enum Wave { WAVE_SINE, WAVE_TRIANGLE };

// A held tone with an optional exponential glide between two frequencies,
// delayed vibrato and an attack / sustain-or-decay / release envelope.
// Triangles are built from their first odd harmonics, kept below Nyquist.
struct Tone {
    Wave wave;
    float hz;               // starting frequency
    float glide_to_hz;      // 0: no glide
    float glide_time;       // seconds to reach glide_to_hz
    float length;           // seconds until the release starts
    float amp;
    float attack;           // seconds
    float release;          // seconds, after `length`
    float decay;            // 0: sustain at amp; otherwise a decay time constant
    float vibrato_hz;
    float vibrato_cents;
    float vibrato_delay;    // seconds before the vibrato fades in
};
void add_tone(Track &track, double start, const Tone &t);

// Filtered white noise. With `q` 0 the filter is a gentle low-pass at the
// cutoff; otherwise a band-pass of that resonance centred on the cutoff.
// The cutoff moves exponentially from `hz_from` to `hz_to` over the length.
// The envelope rises over `attack` and then either decays exponentially
// (`decay` > 0) or falls smoothly to zero at the end.
struct NoiseBurst {
    float length;
    float amp;
    float hz_from;
    float hz_to;
    float q;
    float attack;
    float decay;
    uint32_t seed;
};
void add_noise(Track &track, double start, const NoiseBurst &n);

// A soft kick: a sine dropping quickly in pitch.
void add_kick(Track &track, double start, float amp);

// A small mono room (parallel combs into series all-passes), mixed in at
// `wet`. The track grows by `tail` seconds first so the reverb can ring out.
void add_reverb(Track &track, float wet, float room, double tail);

// A one-pole low-pass over the whole track, to take the edge off.
void low_pass(Track &track, float hz);

// Peak absolute sample value.
float peak_of(const Track &track);

// Scales the track so that its peak is `peak`; does nothing to silence.
void normalise(Track &track, float peak);

// Cuts the trailing part quieter than `floor` (relative to the peak),
// keeping `fade` seconds beyond it, and applies raised-cosine fades of
// `fade_in` and `fade` seconds at the two ends so that nothing clicks.
void trim_and_fade(Track &track, float floor, double fade_in, double fade);

// A deterministic white-noise source.
struct NoiseState {
    uint32_t x;
};
float next_noise(NoiseState &s);   // uniform in -1..1
