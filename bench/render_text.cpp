// Costs on the text path: baking a font from its file against reading the
// atlas cache, laying a label out, and the CPU matrix product every draw
// makes. Runs without a window.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "render/font.h"
#include "render/matrix.h"
#include "render/texture.h"

namespace fs = std::filesystem;

namespace {

const char* const SANS = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";

// A temp directory holding fonts/sans.ttf, the working directory while alive.
struct FontDir {
    fs::path previous, path;
    FontDir() {
        previous = fs::current_path();
        path = fs::temp_directory_path() / ("game_bench_font_" + std::to_string(rand()));
        fs::create_directories(path / "fonts");
        fs::copy_file(SANS, path / "fonts/sans.ttf", fs::copy_options::overwrite_existing);
        fs::current_path(path);
    }
    ~FontDir() {
        fs::current_path(previous);
        fs::remove_all(path);
    }
};

void bake(benchmark::State& state, bool cached) {
    FontDir dir;
    Font font = {};
    snprintf(font.name, sizeof(font.name), "bench_font");
    int size = (int)state.range(0), side = 0;
    free(bake_font_atlas(&font, "fonts/sans.ttf", (uint8_t)size, &side));  // warm the cache
    char cache[128];
    font_cache_path(cache, sizeof(cache), font.name, size);
    for (auto _ : state) {
        if (!cached) fs::remove(cache);
        unsigned char* atlas = bake_font_atlas(&font, "fonts/sans.ttf", (uint8_t)size, &side);
        benchmark::DoNotOptimize(atlas);
        free(atlas);
    }
    free(font.glyphs);
}

void BM_font_bake_from_file(benchmark::State& state) {
    bake(state, false);
}
void BM_font_read_cache(benchmark::State& state) {
    bake(state, true);
}
BENCHMARK(BM_font_bake_from_file)->Arg(32)->Arg(80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_font_read_cache)->Arg(32)->Arg(80)->Unit(benchmark::kMillisecond);

void BM_label_layout(benchmark::State& state) {
    FontDir dir;
    Font font = {};
    snprintf(font.name, sizeof(font.name), "bench_font");
    int side = 0;
    free(bake_font_atlas(&font, "fonts/sans.ttf", 32, &side));
    std::string text((size_t)state.range(0), 'W');
    static float vertices[127 * 6 * 5];
    uint16_t width = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(layout_label_vertices(&font, text.c_str(), vertices, &width));
        benchmark::ClobberMemory();
    }
    free(font.glyphs);
}
BENCHMARK(BM_label_layout)->Arg(8)->Arg(127);

void BM_push_translate_scale_pop(benchmark::State& state) {
    reset_matrix_stack();
    float x = 0;
    for (auto _ : state) {
        push_matrix();
        translate_matrix(x, 2);
        scale_matrix(3, 4);
        benchmark::DoNotOptimize(current_model_matrix()[3]);
        pop_matrix();
        x += 1;
    }
}
BENCHMARK(BM_push_translate_scale_pop);

}  // namespace

BENCHMARK_MAIN();
