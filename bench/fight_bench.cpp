#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "ai/randomNumber.h"
#include "bench/quietStdout.h"
#include "shell/game.h"
#include "shell/shell.h"

namespace {

// Passes of the real main loop on SDL's clock, the player idle and the opponent
// fighting: one iteration is one pass. Reports the median and 99th percentile of the
// pass time, passes per second and the process's peak resident memory.
void BM_FightPass(benchmark::State& state) {
    if (!screen) {
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
        screen = SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE);
    }
    std::vector<double> micros;
    {
        QuietStdout quiet;
        Game game;
        game.dataRoot = std::string(BRAWLER_SOURCE_DIR) + "/data";
        game.startUp();
        g_randomNumber.seed(7);
        for (auto _ : state) {
            auto start = std::chrono::steady_clock::now();
            game.runPass();
            auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<size_t>(q * (micros.size() - 1))]; };
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["p50_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
    state.counters["passes_per_s"] = 1e6 / at(0.5);
    state.counters["peak_MB"] = usage.ru_maxrss / 1024.0;
}
BENCHMARK(BM_FightPass)->Unit(benchmark::kMicrosecond)->MinTime(5.0);

} // namespace
