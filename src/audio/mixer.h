// mixer.h - the eight-voice mixer, the Sound record it reads and the lock
// it shares with the main thread.
//
// Words used here: a sample is one float, one output frame of the mono
// 24000 Hz stream; a voice is one playing instance of a sound. The output's
// thread calls mix_voices for every buffer it needs; the main thread starts
// voices with start_voice. audio_lock guards the voice table and the sample
// arrays while they are replaced; volumes are atomics instead, written by the
// main thread (the music fade) and read by the mixer without the lock.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/platform.h"

constexpr int VOICE_COUNT = 8;
constexpr int SOUND_NAME_SIZE = 128;
constexpr int SOUND_PATH_SIZE = 142;

// One loaded sound; the slots live in the SoundTable (sounds.h).
struct Sound {
    bool used;
    bool loop;  // set only for the music; written under audio_lock
    char name[SOUND_NAME_SIZE];
    char path[SOUND_PATH_SIZE];
    float* samples;  // owned; replaced under audio_lock
    uint64_t count;
    std::atomic<float> volume;
    float base_volume;  // what a fade-in aims for
    int64_t mtime;      // of the file at the last decode, 0 if unknown
};

struct Voice {
    bool active;
    Sound* sound;
    uint64_t position;  // next sample to mix
};

extern Voice voices[VOICE_COUNT];
extern PlatformMutex audio_lock;

void init_audio_lock();
void destroy_audio_lock();

// Starts the sound on the first free voice (voice 7 is taken over when all
// are busy), at start, or at 0 when start lies beyond the end. A null sound
// plays nothing. Main thread only.
void start_voice(Sound* sound, uint64_t start);

// The output's callback: fills frames mono floats from the active voices.
void mix_voices(float* buffer, int frames);

// Sets volume and base_volume together (the levels of the load list).
void set_sound_level(Sound* sound, float level);
