// output.cpp - the SDL audio back end; the only file that includes SDL.
#include "audio/output.h"

#include <SDL.h>

static bool audio_subsystem_up;
static SDL_AudioDeviceID audio_device;

static void pull_from_mixer(void*, Uint8* stream, int length) {
    mix_voices((float*)stream, length / (int)sizeof(float));
}

bool start_audio_output() {
    if (audio_subsystem_up) return audio_device != 0;
    // Otherwise SDL takes over Ctrl+C and kill for its own quit events,
    // which this game never reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    audio_subsystem_up = true;
    SDL_AudioSpec wanted = {};
    wanted.freq = AUDIO_SAMPLE_RATE;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    wanted.samples = AUDIO_BUFFER_FRAMES;
    wanted.callback = pull_from_mixer;
    SDL_AudioSpec obtained = {};
    // No changes allowed: SDL converts whatever the device really does.
    audio_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (audio_device == 0) return false;
    SDL_PauseAudioDevice(audio_device, 0);
    return true;
}

void stop_audio_output() {
    if (audio_device != 0) {
        SDL_CloseAudioDevice(audio_device);  // joins the audio thread
        audio_device = 0;
    }
    if (audio_subsystem_up) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_Quit();
        audio_subsystem_up = false;
    }
}
