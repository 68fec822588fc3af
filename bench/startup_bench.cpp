#include <cstdio>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "bench/quietStdout.h"
#include "shell/game.h"
#include "shell/shell.h"

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

void ensureVideo() {
    if (!screen) {
        SDL_Init(SDL_INIT_VIDEO);
        screen = SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE);
    }
}

// Baseline: the stage bitmap alone.
void BM_LoadStage(benchmark::State& state) {
    ensureVideo();
    for (auto _ : state) {
        QuietStdout quiet;
        InitImages(kData);
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_LoadStage)->Unit(benchmark::kMillisecond);

// Everything the shell loads and sets up before its first pass.
void BM_StartUp(benchmark::State& state) {
    ensureVideo();
    for (auto _ : state) {
        QuietStdout quiet;
        Game game;
        game.dataRoot = kData;
        game.startUp();
        benchmark::DoNotOptimize(game.vikingbase.frameCount);
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Headless unless a driver is asked for (SDL_VIDEODRIVER=x11 measures a window).
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
