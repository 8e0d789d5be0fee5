// startup.cpp - time from nothing to the first game frame on screen, with a
// warm and with a cold font cache, against a bare program that only opens
// the same 540 x 960 window with an OpenGL 3.3 core context and swaps once.
//
// The game steps are the shell's own (init_window, the loading screen,
// init_game, one run_frame and the swap), each start finished with
// glFinish and released with shutdown_game. init_window enters the
// executable's directory, so the program first copies itself into a
// throw-away run directory of links to the built data and runs that copy.
// Needs DISPLAY (Xvfb); skips without one.
#include <benchmark/benchmark.h>
#include <glad/gl.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/shell.h"
#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/matrix.h"

namespace fs = std::filesystem;

namespace {

const char CHILD_FLAG[] = "--startup-run-dir-child";

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Samples {
    std::vector<double> ms;
    double median() {
        if (ms.empty()) return 0;
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
};

double bare_median_ms;  // set by the first benchmark, read by the others

// Xvfb now and then refuses the connection that follows the close of a
// window with a GL context; a real display does not. A refused attempt
// fails within a millisecond, and the medians keep the rare retried start
// from counting.
template <typename Init>
bool init_with_retries(Init init) {
    for (int attempt = 0; attempt < 5; attempt++) {
        if (init()) return true;
        usleep(20000);
    }
    return false;
}

void report_window_error(int code, const char* description) {
    fprintf(stderr, "bench_startup: window library error %d: %s\n", code, description);
}

void BM_BareWindow(benchmark::State& state) {
    glfwSetErrorCallback(report_window_error);
    Samples samples;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (!init_with_retries(glfwInit)) {
            state.SkipWithError("glfwInit failed");
            return;
        }
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        GLFWwindow* window = glfwCreateWindow(540, 960, "game", nullptr, nullptr);
        if (!window) {
            glfwTerminate();
            state.SkipWithError("no OpenGL 3.3 core window");
            return;
        }
        glfwMakeContextCurrent(window);
        gladLoadGL(glfwGetProcAddress);
        glClearColor(254 / 255.0f, 235 / 255.0f, 193 / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glfwSwapBuffers(window);
        glFinish();
        double seconds = seconds_since(start);
        state.SetIterationTime(seconds);
        samples.ms.push_back(seconds * 1000);
        glfwDestroyWindow(window);
        glfwTerminate();
    }
    bare_median_ms = samples.median();
    state.counters["median_ms"] = bare_median_ms;
}
BENCHMARK(BM_BareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// The loading screen of the game's entry point (its own copy: the shell
// keeps its label private); init_game releases the font.
void draw_loading_screen(TextLabel* label) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    load_font("loading_font", "PoetsenOne-Regular.ttf", 32);
    init_label(label, "loading_font");
    set_label_text(label, "LOADING");
    glClear(GL_COLOR_BUFFER_BIT);
    push_matrix();
    translate_matrix((float)(logical_width / 2), (float)(logical_height / 2));
    draw_label(label, 0, 0, 61, 37, 1, 128);
    pop_matrix();
}

void game_start(benchmark::State& state, bool cold) {
    Samples samples;
    for (auto _ : state) {
        if (cold) {
            std::error_code error;
            fs::remove_all("tmp", error);
        }
        auto start = std::chrono::steady_clock::now();
        shell.quit_requested = false;
        if (!init_with_retries(init_window)) {
            state.SkipWithError("init_window failed");
            return;
        }
        glfwSwapBuffers(shell.window);
        TextLabel loading = {};
        draw_loading_screen(&loading);
        glfwSwapBuffers(shell.window);
        init_game();
        glfwSwapBuffers(shell.window);
        run_frame();
        glfwSwapBuffers(shell.window);
        glFinish();
        double seconds = seconds_since(start);
        state.SetIterationTime(seconds);
        samples.ms.push_back(seconds * 1000);
        shutdown_game();
    }
    double median = samples.median();
    state.counters["median_ms"] = median;
    if (bare_median_ms > 0) state.counters["x_bare"] = median / bare_median_ms;
}

void BM_GameStartWarmFontCache(benchmark::State& state) {
    game_start(state, false);
}
void BM_GameStartColdFontCache(benchmark::State& state) {
    game_start(state, true);
}
BENCHMARK(BM_GameStartWarmFontCache)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_GameStartColdFontCache)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// A run directory of links to the built data with a copy of this program
// in it; the copy runs there and the directory goes afterwards.
int run_in_run_dir(int argc, char** argv) {
    fs::path dir = fs::temp_directory_path() / ("game_bench_startup_" + std::to_string(getpid()));
    std::error_code error;
    fs::create_directories(dir, error);
    for (const char* item : {"fonts", "images", "sounds", "level_seed_offsets"})
        fs::create_symlink(fs::path(GAME_RUN_DIR) / item, dir / item, error);
    fs::create_symlink(fs::path(GAME_SOURCE_DIR) / "data/shaders_desktop", dir / "shaders_desktop",
                       error);
    fs::copy_file(fs::path(GAME_SOURCE_DIR) / "data/config.txt", dir / "config.txt", error);
    fs::copy_file("/proc/self/exe", dir / "bench_startup", error);
    // Level 2 with the tutorial seen; the board is refused, so it is dealt.
    const unsigned char save[17] = {2, 2, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 11, 0};
    if (FILE* f = fopen((dir / "autosave").c_str(), "wb")) {
        fwrite(save, 1, sizeof save, f);
        fclose(f);
    }
    int status = 1;
    if (error) {
        fprintf(stderr, "bench_startup: cannot prepare %s: %s\n", dir.c_str(),
                error.message().c_str());
    } else {
        std::vector<char*> args;
        std::string program = (dir / "bench_startup").string();
        args.push_back(program.data());
        for (int i = 1; i < argc; i++) args.push_back(argv[i]);
        std::string flag = CHILD_FLAG;
        args.push_back(flag.data());
        args.push_back(nullptr);
        pid_t child = fork();
        if (child == 0) {
            execv(program.c_str(), args.data());
            _exit(127);
        }
        int wait_status = 0;
        if (child > 0 && waitpid(child, &wait_status, 0) == child && WIFEXITED(wait_status))
            status = WEXITSTATUS(wait_status);
    }
    fs::remove_all(dir, error);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const char* display = getenv("DISPLAY");
    if (!display || !*display) {
        printf("bench_startup: skipped, no DISPLAY to open a window on\n");
        return 0;
    }
    bool child = argc > 1 && strcmp(argv[argc - 1], CHILD_FLAG) == 0;
    if (!child) return run_in_run_dir(argc, argv);
    argc--;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
