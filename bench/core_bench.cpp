#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/quietStdout.h"
#include "shell/fightState.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/shell.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

namespace {

using steady = std::chrono::steady_clock;

double microsSince(steady::time_point start) {
    return std::chrono::duration<double, std::micro>(steady::now() - start).count();
}

double quantile(std::vector<double> v, double q) {
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * (v.size() - 1))];
}

// The golden random fight (twenty seconds of a random player against the computer,
// seed 17) played as a match.
FightScript goldenMatch() {
    if (!screen) {
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
        screen = SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE);
    }
    FightScript script;
    std::string error;
    script.parse("data " + std::string(BRAWLER_SOURCE_DIR) +
                     "/data\nmode match\nseed 17\nrandom-input\nend 20000\n",
                 &error);
    return script;
}

// One step of the match without drawing, against the same pass with its picture drawn
// and presented (the baseline, in the same run): the runner's own pass timing.
void BM_MatchStep(benchmark::State& state) {
    bool picture = state.range(0) != 0;
    FightScript script = goldenMatch();
    FightSummary s;
    for (auto _ : state) {
        QuietStdout quiet;
        FightRunner runner;
        runner.noPicture = !picture;
        s = runner.run(script);
    }
    state.counters["p50_us"] = s.passMedianUs;
    state.counters["p99_us"] = s.passP99Us;
}
BENCHMARK(BM_MatchStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saving and restoring the whole fight, and the 12 steps a rollback runs again, at every
// pass of the golden match from its second second on.
void BM_SaveRestoreAndRollback(benchmark::State& state) {
    FightScript script = goldenMatch();
    std::vector<double> saveRestore, rollback;
    for (auto _ : state) {
        QuietStdout quiet;
        FightRunner runner;
        runner.noPicture = true;
        std::vector<fightState> last;
        runner.afterPass = [&](long passMs, Game& game) {
            matchSession& m = *game.match;
            fightState now;
            auto start = steady::now();
            now.save(game);
            now.restore(game);
            saveRestore.push_back(microsSince(start));
            if (passMs >= 2000 && last.size() == 12) {
                std::vector<stepInput> frames(m.inputs.begin() + last.front().stepNumber,
                                              m.inputs.end());
                start = steady::now();
                last.front().restore(game);
                for (const stepInput& in : frames)
                    m.stepSilently(game, in);
                rollback.push_back(microsSince(start));
            }
            last.push_back(std::move(now));
            if (last.size() > 12)
                last.erase(last.begin());
        };
        runner.run(script);
    }
    state.counters["save_restore_p50_us"] = quantile(saveRestore, 0.5);
    state.counters["save_restore_p99_us"] = quantile(saveRestore, 0.99);
    state.counters["rollback12_p50_us"] = quantile(rollback, 0.5);
    state.counters["rollback12_p99_us"] = quantile(rollback, 0.99);
}
BENCHMARK(BM_SaveRestoreAndRollback)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
