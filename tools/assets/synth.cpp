// The synthesiser's voices, reverb and finishing steps (see synth.h).
#include "synth.h"

#include <algorithm>
#include <cmath>

static const double TWO_PI = 6.283185307179586;
static const float NYQUIST_GUARD = 0.45f * SYNTH_RATE;   // keep partials below this

float note_hz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

void ensure_seconds(Track &track, double seconds) {
    size_t n = (size_t)std::ceil(seconds * SYNTH_RATE);
    if (track.size() < n) track.resize(n, 0.0f);
}

float next_noise(NoiseState &s) {
    // xorshift32: cheap, and the same sequence on every machine
    uint32_t x = s.x ? s.x : 0x9E3779B9u;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    s.x = x;
    return (float)((double)x / 2147483648.0 - 1.0);
}

// Smooth 0..1 ramp (raised cosine) used for onsets and fades.
static float ramp(double t, double length) {
    if (length <= 0 || t >= length) return 1.0f;
    if (t <= 0) return 0.0f;
    double s = std::sin(0.5 * 3.141592653589793 * t / length);
    return (float)(s * s);
}

// The state-variable filter in its trapezoidal form: stable at every cutoff,
// so it can sweep freely.
struct Svf {
    double ic1, ic2;
};

static void svf_step(Svf &f, double in, double hz, double k, double *low, double *band) {
    double g = std::tan(3.141592653589793 * std::min(hz, 0.49 * SYNTH_RATE) / SYNTH_RATE);
    double a1 = 1.0 / (1.0 + g * (g + k));
    double a2 = g * a1;
    double a3 = g * a2;
    double v3 = in - f.ic2;
    double v1 = a1 * f.ic1 + a2 * v3;
    double v2 = f.ic2 + a2 * f.ic1 + a3 * v3;
    f.ic1 = 2 * v1 - f.ic1;
    f.ic2 = 2 * v2 - f.ic2;
    *low = v2;
    *band = v1;
}

static size_t first_sample(double start) { return (size_t)std::max(0.0, std::floor(start * SYNTH_RATE + 0.5)); }

static void add_decaying_sine(Track &track, size_t at, double hz, double amp, double decay, double onset) {
    if (hz >= NYQUIST_GUARD || amp <= 0) return;
    size_t n = (size_t)(decay * 9.2 * SYNTH_RATE) + 1;   // down to -80 dB
    if (track.size() < at + n) track.resize(at + n, 0.0f);
    double w = TWO_PI * hz / SYNTH_RATE;
    double fall = std::exp(-1.0 / (decay * SYNTH_RATE));
    double env = amp;
    for (size_t i = 0; i < n; i++) {
        double t = (double)i / SYNTH_RATE;
        track[at + i] += (float)(env * ramp(t, onset) * std::sin(w * (double)i));
        env *= fall;
    }
}

void add_mallet(Track &track, double start, const Mallet &m) {
    static const double ratio[3] = {1.0, 3.99, 10.1};
    const double b = m.brightness;
    const double weight[3] = {1.0, 0.42 * b, 0.16 * b * b};
    const double speed[3] = {1.0, 3.2, 7.5};
    size_t at = first_sample(start);
    for (int p = 0; p < 3; p++)
        add_decaying_sine(track, at, m.hz * ratio[p], m.amp * weight[p], m.decay / speed[p], 0.002);
    NoiseBurst knock = {0.012f, 0.12f * m.amp, std::min(4.0f * m.hz, 6000.0f), std::min(4.0f * m.hz, 6000.0f),
                        0.0f, 0.0005f, 0.0025f, (uint32_t)((uint32_t)(m.hz * 977.0f) + at)};
    add_noise(track, start, knock);
}

void add_chime(Track &track, double start, float hz, float amp, float decay) {
    // the free bar's 1 : 2.76 : 5.40 : 8.93, with an octave to make it sing
    static const double ratio[5] = {1.0, 2.0, 2.76, 5.40, 8.93};
    static const double weight[5] = {1.0, 0.35, 0.3, 0.14, 0.06};
    static const double speed[5] = {1.0, 1.3, 2.0, 3.5, 5.0};
    size_t at = first_sample(start);
    for (int p = 0; p < 5; p++)
        add_decaying_sine(track, at, hz * ratio[p], amp * weight[p], decay / speed[p], 0.0015);
}

void add_tone(Track &track, double start, const Tone &t) {
    size_t at = first_sample(start);
    size_t n = (size_t)((t.length + t.release) * SYNTH_RATE) + 1;
    if (track.size() < at + n) track.resize(at + n, 0.0f);
    double phase = 0;
    double level_at_release = 0;
    for (size_t i = 0; i < n; i++) {
        double time = (double)i / SYNTH_RATE;
        double hz = t.hz;
        if (t.glide_to_hz > 0) {
            double u = t.glide_time > 0 ? std::min(1.0, time / t.glide_time) : 1.0;
            u = u * u * (3 - 2 * u);
            hz = t.hz * std::pow((double)t.glide_to_hz / t.hz, u);
        }
        if (t.vibrato_cents > 0) {
            double depth = t.vibrato_cents * ramp(time - t.vibrato_delay, 0.25);
            hz *= std::pow(2.0, depth * std::sin(TWO_PI * t.vibrato_hz * time) / 1200.0);
        }
        phase += TWO_PI * hz / SYNTH_RATE;
        if (phase > TWO_PI * 1000) phase -= TWO_PI * 1000;

        double level;
        if (time < t.length) {
            level = t.amp * ramp(time, t.attack);
            if (t.decay > 0 && time > t.attack) level *= std::exp(-(time - t.attack) / t.decay);
            level_at_release = level;
        } else {
            level = level_at_release * (1.0 - ramp(time - t.length, t.release));
        }

        double v;
        if (t.wave == WAVE_SINE) {
            v = std::sin(phase);
        } else {
            v = 0;
            double sign = 1;
            for (int h = 1; h <= 11; h += 2, sign = -sign) {
                if (hz * h >= NYQUIST_GUARD) break;
                v += sign * std::sin(h * phase) / (h * h);
            }
            v *= 8.0 / (3.141592653589793 * 3.141592653589793);
        }
        track[at + i] += (float)(level * v);
    }
}

void add_noise(Track &track, double start, const NoiseBurst &nb) {
    size_t at = first_sample(start);
    size_t n = (size_t)(nb.length * SYNTH_RATE) + 1;
    if (track.size() < at + n) track.resize(at + n, 0.0f);
    NoiseState rng = {nb.seed * 2654435761u + 1};
    Svf f = {0, 0};
    double k = nb.q > 0 ? 1.0 / nb.q : 1.41421356;
    for (size_t i = 0; i < n; i++) {
        double time = (double)i / SYNTH_RATE;
        double u = nb.length > 0 ? time / nb.length : 1.0;
        double hz = nb.hz_from * std::pow((double)nb.hz_to / nb.hz_from, u);
        double low, band;
        svf_step(f, next_noise(rng), hz, k, &low, &band);
        double v = nb.q > 0 ? band * k : low;
        double env = ramp(time, nb.attack);
        if (nb.decay > 0) {
            if (time > nb.attack) env *= std::exp(-(time - nb.attack) / nb.decay);
        } else if (time > nb.attack) {
            env = 1.0 - ramp(time - nb.attack, nb.length - nb.attack);
        }
        track[at + i] += (float)(nb.amp * env * v);
    }
}

void add_kick(Track &track, double start, float amp) {
    Tone t = {};
    t.wave = WAVE_SINE;
    t.hz = 110.0f;
    t.glide_to_hz = 48.0f;
    t.glide_time = 0.07f;
    t.length = 0.28f;
    t.amp = amp;
    t.attack = 0.002f;
    t.release = 0.03f;
    t.decay = 0.09f;
    add_tone(track, start, t);
}

struct DelayLine {
    std::vector<float> buffer;
    size_t at;
    float filter;
};

static float delay_read(const DelayLine &d) { return d.buffer[d.at]; }
static void delay_write(DelayLine &d, float v) {
    d.buffer[d.at] = v;
    d.at = (d.at + 1) % d.buffer.size();
}

void add_reverb(Track &track, float wet, float room, double tail) {
    ensure_seconds(track, (double)track.size() / SYNTH_RATE + tail);
    // Delays in samples at this rate; mutually prime so the echoes smear.
    static const int comb_len[4] = {607, 647, 695, 739};
    static const int pass_len[2] = {241, 313};
    DelayLine comb[4], pass[2];
    for (int c = 0; c < 4; c++) comb[c] = {std::vector<float>(comb_len[c], 0.0f), 0, 0.0f};
    for (int p = 0; p < 2; p++) pass[p] = {std::vector<float>(pass_len[p], 0.0f), 0, 0.0f};
    const float damp = 0.35f;
    for (size_t i = 0; i < track.size(); i++) {
        float in = track[i] * 0.25f;
        float sum = 0;
        for (int c = 0; c < 4; c++) {
            float out = delay_read(comb[c]);
            comb[c].filter = out * (1 - damp) + comb[c].filter * damp;
            delay_write(comb[c], in + comb[c].filter * room);
            sum += out;
        }
        for (int p = 0; p < 2; p++) {
            float buffered = delay_read(pass[p]);
            float out = -sum + buffered;
            delay_write(pass[p], sum + buffered * 0.5f);
            sum = out;
        }
        track[i] += wet * sum;
    }
}

void low_pass(Track &track, float hz) {
    float a = 1.0f - std::exp(-(float)TWO_PI * hz / SYNTH_RATE);
    float state = 0;
    for (float &v : track) {
        state += a * (v - state);
        v = state;
    }
}

float peak_of(const Track &track) {
    float peak = 0;
    for (float v : track) peak = std::max(peak, std::fabs(v));
    return peak;
}

void normalise(Track &track, float peak) {
    float now = peak_of(track);
    if (now <= 0) return;
    float gain = peak / now;
    for (float &v : track) v *= gain;
}

void trim_and_fade(Track &track, float floor, double fade_in, double fade) {
    float limit = floor * peak_of(track);
    size_t last = 0;
    for (size_t i = 0; i < track.size(); i++)
        if (std::fabs(track[i]) > limit) last = i;
    size_t fade_out_n = (size_t)(fade * SYNTH_RATE);
    track.resize(std::min(track.size(), last + 1 + fade_out_n));
    size_t fade_in_n = std::min(track.size(), (size_t)(fade_in * SYNTH_RATE));
    for (size_t i = 0; i < fade_in_n; i++) track[i] *= ramp((double)i, (double)fade_in_n);
    fade_out_n = std::min(fade_out_n, track.size());
    for (size_t i = 0; i < fade_out_n; i++) track[track.size() - 1 - i] *= ramp((double)i, (double)fade_out_n);
}
