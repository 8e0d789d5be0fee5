// output_web.cpp - the browser's audio output: a Web Audio context at
// 24000 Hz whose script node (output_web.js) pulls mono floats from the
// mixer on the page's one thread, 1024 frames at a time. Browsers start
// sound only after a press or a key, so the context starts suspended and
// the first one resumes it; the music, which could not be heard before,
// fades in from there.
#include "audio/output.h"

#include <emscripten.h>

#include <cstdlib>

#include "audio/sounds.h"

enum { WEB_BUFFER_FRAMES = 1024 };

static float* web_buffer;

extern "C" int web_audio_open(int rate, int frames);
extern "C" void web_audio_close();

extern "C" EMSCRIPTEN_KEEPALIVE float* web_audio_pull(int frames) {
    mix_voices(web_buffer, frames < WEB_BUFFER_FRAMES ? frames : WEB_BUFFER_FRAMES);
    return web_buffer;
}

// Nothing was mixed before the first press: the music still stands at the
// start of its fade, which begins now.
extern "C" EMSCRIPTEN_KEEPALIVE void web_audio_started() {
    bool music_playing = false;
    for (const Voice& voice : voices)
        music_playing |= voice.active && voice.sound && voice.sound->loop;
    if (!music_playing) return;
    stop_music();
    start_music();
}

bool start_audio_output() {
    if (web_buffer) return true;
    web_buffer = (float*)calloc(WEB_BUFFER_FRAMES, sizeof(float));
    if (!web_buffer) return false;
    return web_audio_open(AUDIO_SAMPLE_RATE, WEB_BUFFER_FRAMES) != 0;
}

void stop_audio_output() {
    web_audio_close();
    free(web_buffer);
    web_buffer = nullptr;
}
