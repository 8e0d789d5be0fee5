// output.h - the audio device: a mono float stream at 24000 Hz, pulled in
// 512-frame buffers by the output library's own thread through mix_voices.
//
// Start-up creates audio_lock (mixer.h) first, then starts the output;
// shutdown stops the output before the lock is destroyed and the samples
// are freed. Without a device the game runs silently.
#pragma once

#include "audio/mixer.h"

constexpr int AUDIO_SAMPLE_RATE = 24000;
constexpr int AUDIO_BUFFER_FRAMES = 512;

// Opens the default output device and starts pulling from the mixer.
// Returns false (and the game stays silent) when no device can be opened.
bool start_audio_output();

// Stops the output and joins its thread: mix_voices is never called again
// after this returns. Safe to call when the start failed or never happened.
void stop_audio_output();
