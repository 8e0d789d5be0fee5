// mixer.cpp - the voice table, start_voice and the mixing callback.
#include "audio/mixer.h"

#include <cstring>

static_assert(std::atomic<float>::is_always_lock_free, "the mixer reads volumes without locking");

Voice voices[VOICE_COUNT];
PlatformMutex audio_lock;

void init_audio_lock() {
    platform_mutex_init(&audio_lock);
}

void destroy_audio_lock() {
    platform_mutex_destroy(&audio_lock);
}

void set_sound_level(Sound* sound, float level) {
    if (!sound) return;
    sound->volume.store(level, std::memory_order_relaxed);
    sound->base_volume = level;
}

void start_voice(Sound* sound, uint64_t start) {
    if (!sound) return;
    platform_mutex_lock(&audio_lock);
    Voice* voice = &voices[VOICE_COUNT - 1];
    for (Voice& candidate : voices) {
        if (!candidate.active) {
            voice = &candidate;
            break;
        }
    }
    voice->active = true;
    voice->sound = sound;
    voice->position = start <= sound->count ? start : 0;
    platform_mutex_unlock(&audio_lock);
}

static void clear_voice(Voice* voice) {
    voice->active = false;
    voice->sound = nullptr;
    voice->position = 0;
}

// Adds one voice into the buffer, clamping after its contribution. The end
// test comes before each read; a position at or past the end (a reload may
// have shortened the sound) ends the voice or wraps it.
static void mix_one_voice(Voice* voice, float* buffer, int frames) {
    const Sound* sound = voice->sound;
    const float* samples = sound->samples;
    const uint64_t count = sound->count;
    // One read per buffer: a new gain is heard from the next buffer on.
    const float volume = sound->volume.load(std::memory_order_relaxed);
    uint64_t position = voice->position;
    int i = 0;
    while (i < frames) {
        if (position >= count) {
            // A looping sound without samples would wrap forever: end it.
            if (!sound->loop || count == 0) {
                clear_voice(voice);
                return;
            }
            position = 0;
        }
        uint64_t left = count - position;
        int run = left < (uint64_t)(frames - i) ? (int)left : frames - i;
        const float* source = samples + position;
        for (int k = 0; k < run; k++) {
            float x = buffer[i + k] + source[k] * volume;
            buffer[i + k] = x < -1.0f ? -1.0f : (x < 1.0f ? x : 1.0f);
        }
        i += run;
        position += (uint64_t)run;
    }
    voice->position = position;
}

void mix_voices(float* buffer, int frames) {
    if (frames <= 0) return;
    memset(buffer, 0, sizeof(float) * (size_t)frames);
    platform_mutex_lock(&audio_lock);
    for (Voice& voice : voices) {
        if (voice.active && voice.sound) mix_one_voice(&voice, buffer, frames);
    }
    platform_mutex_unlock(&audio_lock);
}
