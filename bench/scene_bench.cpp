#include <fstream>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/quietStdout.h"
#include "fighter/animationSet.h"
#include "moves/inputChecker.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/shell.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

void ensureVideo() {
    if (!screen) {
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
        screen = SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE);
    }
}

enum SceneWay { Dirty, Flip, Naive };

// One scene pass with both fighters walking to and fro and three fireballs on the
// stage: restore, save, draw, present. Arg 0 presents the changed rectangles, 1 flips
// the whole screen, 2 redraws the whole stage under everything and flips (no saves).
void BM_ScenePass(benchmark::State& state) {
    ensureVideo();
    QuietStdout quiet;
    Game game;
    game.dataRoot = kData;
    game.startUp();
    SceneWay way = static_cast<SceneWay>(state.range(0));
    game.presenter.presentAll = way != Dirty;
    for (int i = 0; i < 3; ++i)
        game.pList.addParticle("fireball1 " + std::to_string(60 + 40 * i) + " 100\n",
                               &game.vikings1, nullptr, &game.particleDefs, screen, 0);
    game.vikings1.y = game.fighter2.y = 530;
    game.DrawScene();
    int step = 0;
    for (auto _ : state) {
        int dx = (step++ / 50) % 2 == 0 ? 2 : -2;
        game.vikings1.x += dx;
        game.fighter2.x -= dx;
        if (way == Naive) {
            DrawBG();
            game.vikings1.draw();
            game.fighter2.draw();
            game.pList.draw();
            SDL_Flip(screen);
        } else {
            game.DrawScene();
        }
    }
    // Presenting to a window waits on the X server, not this process: rate by wall time.
    state.counters["passes_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScenePass)
    ->Arg(Dirty)
    ->Arg(Flip)
    ->Arg(Naive)
    ->ArgName("dirty0_flip1_naive2")
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// Loading the shipped character: every sheet read and mirrored (against BM_LoadStage).
void BM_LoadCharacter(benchmark::State& state) {
    ensureVideo();
    for (auto _ : state) {
        QuietStdout quiet;
        animationSet set;
        set.loadAll(kData + "/Brawler");
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(BM_LoadCharacter)->Unit(benchmark::kMillisecond);

// The input checker on a full 600 ms buffer, a press every 11 ms pass, then a button:
// arg 1 runs the match over every move; arg 0, the baseline, fills the same buffer and
// only expires it (no button, no search).
void BM_InputChecker(benchmark::State& state) {
    ensureVideo();
    QuietStdout quiet;
    Game game;
    game.dataRoot = kData;
    game.startUp();
    inputChecker& checker = *game.checker;
    bool withButton = state.range(0) == 1;
    const char keys[] = {'D', 'R', 'U', 'L'};
    for (auto _ : state) {
        int t = 10000;
        for (int i = 0; i < 54; ++i, t += 11) {
            inputKeys press;
            press.time = t;
            press.key = keys[i % 4];
            press.action = "walk";
            checker.acceptInput(press);
        }
        if (withButton) {
            inputKeys press;
            press.time = t;
            press.key = 'C';
            press.action = "walk";
            checker.acceptInput(press);
        }
        benchmark::DoNotOptimize(checker.update(t));
        checker.deleteList();
    }
}
BENCHMARK(BM_InputChecker)->Arg(0)->Arg(1)->ArgName("button")->Unit(benchmark::kMicrosecond);

// A whole headless fight through the runner (tests/present/fight.fight, 2000 passes,
// the opponent fighting, fireballs flying): arg 0 presents changed rectangles, arg 1
// flips, arg 2 plays the same script as a match with its HUD, and arg 3 the same match
// with the HUD left undrawn (its baseline), both presenting changed rectangles. Reports
// the runner's own figures of its last run.
void BM_RunnerFight(benchmark::State& state) {
    ensureVideo();
    std::ifstream in(std::string(BRAWLER_SOURCE_DIR) + "/tests/present/fight.fight");
    std::stringstream text;
    text << in.rdbuf();
    FightScript script;
    script.name = std::string(BRAWLER_SOURCE_DIR) + "/tests/present/fight.fight";
    std::string error;
    if (!script.parse(text.str(), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    FightSummary summary;
    for (auto _ : state) {
        QuietStdout quiet;
        FightRunner runner;
        runner.presentAll = state.range(0) == 1;
        script.match = state.range(0) >= 2;
        if (state.range(0) == 3)
            runner.afterPass = [](long, Game& game) { game.match->hudShown = false; };
        summary = runner.run(script);
    }
    state.counters["passes"] = summary.passes;
    state.counters["passes_per_s"] = summary.passesPerSecond;
    state.counters["p50_us"] = summary.passMedianUs;
    state.counters["p99_us"] = summary.passP99Us;
    state.counters["startup_ms"] = summary.startUpMs;
}
BENCHMARK(BM_RunnerFight)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->ArgName("way")
    ->Unit(benchmark::kMillisecond);

} // namespace
