// audio_mix.cpp - cost of one mixer callback with all eight voices busy,
// reported also as a share of the 512-frame buffer's 21.3 ms of playback.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "audio/mixer.h"
#include "audio/sounds.h"

namespace {

const int FRAMES = 512;
const double BUFFERS_PER_SECOND = 24000.0 / FRAMES;

// Eight voices of sounds long enough (or looping) to stay busy.
void fill_voices(bool loop, uint64_t length) {
    free_all_sounds();
    for (int k = 0; k < VOICE_COUNT; k++) {
        Sound& slot = sound_table.slots[k];
        slot.used = true;
        slot.loop = loop;
        snprintf(slot.name, sizeof slot.name, "v%d", k);
        slot.samples = (float*)malloc(sizeof(float) * length);
        for (uint64_t i = 0; i < length; i++) slot.samples[i] = 0.2f * (float)((i * 7 + k) % 11) / 11.0f - 0.1f;
        slot.count = length;
        set_sound_level(&slot, 0.9f);
        play_sound(slot.name, 0);
    }
}

void run(benchmark::State& state, bool loop, uint64_t length) {
    init_audio_lock();
    fill_voices(loop, length);
    std::vector<float> buffer(FRAMES);
    auto began = std::chrono::steady_clock::now();
    for (auto _ : state) {
        mix_voices(buffer.data(), FRAMES);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
        // Keep non-looping voices alive without timing the restarts.
        if (!loop && voices[0].position + FRAMES > length) {
            state.PauseTiming();
            for (Voice& voice : voices) voice.position = 0;
            state.ResumeTiming();
        }
    }
    // Mixing time as a percentage of the playback time of one buffer.
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    if (state.iterations() > 0) {
        state.counters["percent_of_buffer"] =
            100.0 * seconds / (double)state.iterations() * BUFFERS_PER_SECOND;
    }
    free_all_sounds();
    destroy_audio_lock();
}

void BM_mix_eight_voices(benchmark::State& state) {
    run(state, false, 24000 * 10);
}
BENCHMARK(BM_mix_eight_voices);

// Short loops wrap several times inside each buffer.
void BM_mix_eight_short_loops(benchmark::State& state) {
    run(state, true, 100);
}
BENCHMARK(BM_mix_eight_short_loops);

}  // namespace

BENCHMARK_MAIN();
