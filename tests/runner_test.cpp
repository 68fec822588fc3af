#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/shell.h"
#include "tests/testSupport.h"
#include "tools/checker/quietStreams.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"
#include "tools/runner/traceMute.h"

using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

FightScript parsed(const std::string& text, std::string* error = nullptr) {
    FightScript script;
    script.name = "t.fight";
    std::string e;
    bool ok = script.parse(text, &e);
    if (error)
        *error = ok ? "" : e;
    else
        EXPECT_TRUE(ok) << e;
    return script;
}

// Runs a script on the shipped data in this process, its trace swallowed.
FightSummary runScript(const std::string& text, std::vector<std::string>* failures = nullptr) {
    screen = videoScreen();
    // The data line comes first: lines in the text are one further down.
    FightScript script = parsed("data " + kData + "\n" + text);
    FightRunner runner;
    FightSummary summary;
    captureStdout([&] { summary = runner.run(script); });
    if (failures)
        *failures = runner.failures;
    return summary;
}

std::string runnerCommand(const std::string& args) {
    return "SDL_VIDEODRIVER=x11 '" + std::string(RUNNER_BINARY) + "' " + args;
}

} // namespace

// Every statement, with comments, blank lines, tabs and \r\n line ends, in any time
// order; same times keep their file order.
TEST(FightScriptParse, ReadsEveryStatement) {
    FightScript s = parsed("# a comment\r\n"
                           "seed 42\r\n"
                           "\r\n"
                           "data ../data   # trailing comment\n"
                           "ms-per-pass 5\n"
                           "opponent idle\n"
                           "place opponent 300\n"
                           "\tat 900 tap Escape\n"
                           "at 100 press Left\n"
                           "at 100 release Left\n"
                           "at 200 expect player facing != left\n"
                           "at 200 expect opponent onGround = true\n"
                           "at 300 expect particles count > 0\n"
                           "at 300 expect player action = fireball\n"
                           "at 400 shot out.png\n"
                           "at 500 opponent active\n");
    EXPECT_EQ(42u, s.seed);
    EXPECT_EQ("../data", s.dataDir);
    EXPECT_EQ(4, s.dataLine);
    EXPECT_EQ(5, s.msPerPass);
    ASSERT_EQ(11u, s.steps.size());
    // Untimed statements come first; the rest by time, file order within a time.
    EXPECT_EQ(ScriptStep::OpponentIdle, s.steps[0].kind);
    EXPECT_EQ(SDLK_ESCAPE, s.steps[2].key);
    EXPECT_EQ(ScriptStep::Release, s.steps[4].kind);
    EXPECT_EQ(0, s.steps[5].number); // facing left
    EXPECT_FALSE(s.steps[9].beforePass());
    EXPECT_EQ(16, s.steps[10].line);
    // The last timed line (900) plus one pass.
    EXPECT_EQ(905, s.lastPassMs());
    EXPECT_EQ(60, parsed("at 10 tap z\nend 60\n").lastPassMs());
    EXPECT_EQ(0, parsed("seed 3\n").lastPassMs());
}

// Each bad line stops the parse with the script's name, the line and what is wrong.
TEST(FightScriptParse, NamesTheLineAndTheFault) {
    struct bad {
        const char* text;
        const char* error;
    };
    const bad cases[] = {
        {"seed 1\nwait 100\n", "t.fight:2: unknown statement \"wait\""},
        {"seed one\n", "t.fight:1: bad number \"one\" for seed"},
        {"seed 1 2\n", "t.fight:1: seed takes one number"},
        {"ms-per-pass 0\n", "t.fight:1: bad number \"0\" for ms-per-pass"},
        {"ms-per-pass 10x\n", "t.fight:1: bad number \"10x\""},
        {"\n\nat -5 tap z\n", "t.fight:3: bad time \"-5\""},
        {"at 99999999999999999999 tap z\n", "t.fight:1: bad time"},
        {"at 100\n", "t.fight:1: at takes a time and a statement"},
        {"at 100 tap Spacebar\n", "t.fight:1: unknown key \"Spacebar\""},
        {"at 100 press lft\n", "t.fight:1: unknown key \"lft\""},
        {"press z\n", "t.fight:1: unknown statement \"press\""},
        {"at 100 expect player speed = 3\n", "t.fight:1: unknown field \"speed\""},
        {"at 100 expect referee hp = 3\n", "t.fight:1: unknown subject \"referee\""},
        {"at 100 expect particles hp = 3\n", "t.fight:1: unknown field \"hp\" for particles"},
        {"at 100 expect player hp >= 3\n", "t.fight:1: unknown comparison \">=\""},
        {"at 100 expect player hp = lots\n", "t.fight:1: bad number \"lots\" for hp"},
        {"at 100 expect player hp =\n", "t.fight:1: expect takes WHO FIELD OP VALUE"},
        {"at 100 expect player action < jab\n", "t.fight:1: an action compares only with ="},
        {"at 100 expect player facing = up\n", "t.fight:1: bad value \"up\" for facing"},
        {"at 100 expect player onGround > false\n", "t.fight:1: onGround compares only"},
        {"opponent asleep\n", "t.fight:1: opponent takes idle, active or human"},
        {"place player 900\n", "t.fight:1: bad x \"900\""},
        {"place referee 100\n", "t.fight:1: place takes player or opponent"},
        {"at 100 shot out.jpg\n", "t.fight:1: shot file \"out.jpg\" must end in .bmp or .png"},
        {"end 500\nat 600 tap z\n", "t.fight:2: at 600 is after the end (500)"},
        {"at 600 tap z\nend 500\n", "t.fight:1: at 600 is after the end (500)"},
        {"random-input 5\n", "t.fight:1: random-input takes nothing"},
        {"at 100 expect memory size < 5\n", "t.fight:1: unknown field \"size\" for memory"},
        // The game refuses --classic --versus, whatever the order.
        {"opponent human\nmode classic\n",
         "t.fight:2: opponent human (line 1) plays a match; mode classic (line 2) cannot go"},
        {"mode classic\nseed 2\nopponent human\n", "t.fight:3: opponent human (line 3) plays"},
        // A repeat block holds key lines only and is closed by a bare end.
        {"repeat 0\n", "t.fight:1: repeat takes one period"},
        {"repeat 700\nat 0 tap z\n", "t.fight:1: repeat has no end"},
        {"repeat 700\nat 0 expect player hp = 3\nend\n", "t.fight:2: only key lines"},
        {"repeat 700\nat 0 tap zz\nend\n", "t.fight:2: unknown key \"zz\""},
        {"repeat 700\nrepeat 100\n", "t.fight:2: repeat inside the repeat of line 1"},
        {"repeat 500\nend\n", "t.fight:2: the repeat of line 1 has no lines"},
        {"end\n", "t.fight:1: end without a repeat to close"},
        {"end match\n", "t.fight: end match needs a match"},
        {"time 45\n", "t.fight:1: time takes a round's seconds: 30, 60, 99 or none"},
        {"time\n", "t.fight:1: time takes a round's seconds"},
        // Training's dummy: its modes, a level for the computer only, and training itself.
        {"mode training\ndummy sleep\n", "t.fight:2: dummy takes stand, crouch, jump, block"},
        {"mode training\nat 5 dummy block 3\n", "t.fight:2: only dummy cpu takes a level"},
        {"mode training\ndummy cpu 9\n", "t.fight:2: only dummy cpu takes a level, 1 to 8"},
        {"mode match\nat 5 dummy block\n", "t.fight:2: dummy needs training"},
        {"mode training\nopponent human\n", "t.fight:1: mode training is one player"},
        {"mode trainer\n", "t.fight:1: mode takes match, classic or training"},
    };
    for (const bad& c : cases) {
        std::string error;
        parsed(c.text, &error);
        EXPECT_EQ(0u, error.find(c.error)) << c.text << "\ngot: " << error;
    }
    EXPECT_TRUE(parsed("mode classic\nmode match\nopponent human\n").versus);
}

// Memory is read at every virtual minute, for the soak's growth check; a false memory
// check says what it found. (A random player's fight, repeatable by its seed, is the
// golden trace's.)
TEST(FightRunnerRun, MemoryIsReadEveryVirtualMinute) {
    std::vector<std::string> failures;
    FightSummary s = runScript(
        "opponent idle\nend 121000\nat 121000 expect memory resident > 1000\n", &failures);
    EXPECT_TRUE(failures.empty());
    ASSERT_EQ(2u, s.residentKbByMinute.size());
    EXPECT_GT(s.residentKbByMinute[0], 0);
    EXPECT_NE(std::string::npos, s.format().find("memory growth after the first minute: "));
    // Before minute 1 there is nothing to grow from: even the soak's check fails.
    runScript("end 100\nat 11 expect memory growth < 1024\n", &failures);
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ("t.fight:3: expected memory growth < 1024 at 11 ms, got no reading yet: growth is "
              "measured from the end of virtual minute 1",
              failures[0]);
}

// Keys go in before the pass of their time and checks look after it: a held key walks
// until released, a false check names its line with what was expected and what was
// there.
TEST(FightRunnerRun, FeedsKeysChecksAndCounts) {
    std::vector<std::string> failures;
    FightSummary s = runScript("opponent idle\n"
                               "at 300 press Right\n"
                               "at 300 expect player action = walk\n"
                               "at 500 release Right\n"
                               "at 500 expect player x > 90\n"
                               "at 500 expect player x < 60\n" // false: line 7 with the data line
                               "at 600 expect player action = standing\n"
                               "at 700 tap Down\n"
                               "at 720 tap Left\n" // forward is towards the opponent: Right
                               "at 740 tap z\n"
                               "at 760 expect player action != fireball\n",
                               &failures);
    ASSERT_EQ(1u, failures.size()) << s.format(false);
    EXPECT_EQ(0u, failures[0].find("t.fight:7: expected player x < 60 at 500 (pass at 506) ms, "
                                   "got "))
        << failures[0];
    EXPECT_EQ(1, s.expectationsFailed);
    EXPECT_EQ(4, s.expectationsHeld);
    EXPECT_EQ(0, s.particlesSpawned); // the fight's counts are in the golden trace's summary
}

// A repeat block's key lines act at their time and every period after it, to the end;
// `end match` ends the run with the pass in which the match is over.
TEST(FightRunnerRun, RepeatsKeyLinesAndEndsWithTheMatch) {
    std::vector<std::string> failures;
    FightSummary s = runScript("opponent idle\n"
                               "end 1300\n"
                               "repeat 400\n"
                               "at 300 tap z\n"
                               "end\n"
                               "at 320 expect player action = jab\n"
                               "at 600 expect player action = standing\n"
                               "at 720 expect player action = jab\n"
                               "at 1000 expect player action = standing\n"
                               "at 1120 expect player action = jab\n",
                               &failures);
    EXPECT_TRUE(failures.empty()) << s.format(false);
    EXPECT_EQ(5, s.expectationsHeld);
    s = runScript("mode match\nopponent idle\nend match\nrounds 1\nat 2000 set opponent hp 0\n",
                  &failures);
    EXPECT_TRUE(failures.empty()) << s.format(false);
    EXPECT_EQ(0u, s.matchResult.find("over in round 1")) << s.matchResult;
    // The knockout at 2 s, then 3 s of the fall and the pose: not the hour it could wait.
    EXPECT_LT(s.virtualMs, 6000);
}

// Escape ends the run after its pass, like the game; a check the run never reached
// does not hold.
TEST(FightRunnerRun, EscapeEndsTheRunAndLaterChecksFail) {
    std::vector<std::string> failures;
    FightSummary s = runScript("at 110 tap Escape\nat 110 expect player hp = 1000\n"
                               "at 500 expect player hp = 1000\n",
                               &failures);
    EXPECT_TRUE(s.endedByEscape);
    EXPECT_EQ(11, s.passes); // 0, 11, ... 110
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ("t.fight:4: expected player hp = 1000 at 500 ms, got no pass: the game ended at "
              "110 ms",
              failures[0]);
}

TEST(FightRunnerRun, ShotSavesTheScreen) {
    TempDir dir;
    std::vector<std::string> failures;
    runScript("at 300 shot " + dir / "a.bmp" + "\nat 300 shot " + dir / "none/b.bmp\n", &failures);
    SDL_Surface* shot = SDL_LoadBMP((dir / "a.bmp").c_str());
    ASSERT_NE(nullptr, shot);
    EXPECT_EQ(800, shot->w);
    EXPECT_EQ(600, shot->h);
    SDL_FreeSurface(shot);
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ(0u, failures[0].find("t.fight:3: cannot write the shot " + dir / "none/b.bmp"));

    // ImageMagick is one of the suite's own packages.
    runScript("at 300 shot " + dir / "c.png\n", &failures);
    EXPECT_EQ("\x89PNG", readFile(dir / "c.png").substr(0, 4));
}

// As a program: the exit codes, the summary on standard output, the game's trace only
// with --trace, and always headless whatever SDL_VIDEODRIVER says.
TEST(FightRunnerProgram, ExitCodesAndTrace) {
    TempDir dir;
    writeFile(dir / "ok.fight", "data " + kData +
                                    "\nopponent idle\nat 100 expect player hp = "
                                    "1000\n");
    writeFile(dir / "bad.fight", "seed 1\n\nat 100 tap Spacebar\n");
    writeFile(dir / "nodata.fight", "data nowhere\n");

    ChildResult ok = runCommand(runnerCommand("'" + dir / "ok.fight" + "'"));
    EXPECT_EQ(0, ok.exitCode) << ok.output;
    EXPECT_NE(std::string::npos, ok.output.find("expectations: 1 held, 0 failed"));
    EXPECT_NE(std::string::npos, ok.output.find("us per pass: median"));
    EXPECT_EQ(std::string::npos, ok.output.find("making an Sset")) << ok.output;
    EXPECT_EQ(std::string::npos, ok.output.find("myfile.wav")) << ok.output;

    ChildResult traced =
        runCommand(runnerCommand("--trace '" + dir / "ok.fight" + "' 2>/dev/null"));
    EXPECT_EQ(0, traced.exitCode);
    size_t trace = traced.output.find("making an Sset");
    EXPECT_NE(std::string::npos, trace);
    EXPECT_GT(traced.output.find("expectations: 1 held"), trace);

    ChildResult bad = runCommand(runnerCommand("'" + dir / "bad.fight" + "'"));
    EXPECT_EQ(2, bad.exitCode);
    EXPECT_NE(std::string::npos,
              bad.output.find(dir / "bad.fight" + ":3: unknown key \"Spacebar\""))
        << bad.output;
    ChildResult noData = runCommand(runnerCommand("'" + dir / "nodata.fight" + "'"));
    EXPECT_EQ(2, noData.exitCode);
    EXPECT_NE(std::string::npos, noData.output.find("nodata.fight:1: no data folder"));
    EXPECT_EQ(2, runCommand(runnerCommand("'" + dir / "missing.fight" + "'")).exitCode);

    // The command line: the usage on --help or without a script, a named fault with it.
    const std::string script = "'" + dir / "ok.fight" + "'";
    const struct {
        std::string args;
        int code;
        std::string first; // the output's first line
    } lines[] = {
        {"--help", 0, "usage: brawler-run [--trace] [--flip] [--window] [--scale N] [--hold MS]"},
        {"", 2, "usage: brawler-run [--trace] [--flip] [--window] [--scale N] [--hold MS]"},
        {"--sync-test 0 " + script, 2,
         "brawler-run: --sync-test takes a whole number of steps from 1 to 64, not \"0\""},
        {"--x " + script, 2, "brawler-run: unknown option \"--x\""},
        {"--hold abc " + script, 2,
         "brawler-run: --hold takes a whole number of milliseconds, not \"abc\""},
        {script + " --hold", 2, "brawler-run: --hold needs a value"},
        {script + " " + script, 2, "brawler-run: unexpected argument \"" + dir / "ok.fight" + "\""},
    };
    for (const auto& l : lines) {
        ChildResult r = runCommand(runnerCommand(l.args));
        EXPECT_EQ(l.code, r.exitCode) << l.args << "\n" << r.output;
        EXPECT_EQ(l.first, r.output.substr(0, r.output.find('\n'))) << l.args;
        EXPECT_NE(std::string::npos, r.output.find("\n  --hold MS")) << l.args;
    }
    // The sync test and the steps without a picture are a match's.
    ChildResult classic = runCommand(runnerCommand("--sync-test 8 " + script));
    EXPECT_EQ(2, classic.exitCode);
    EXPECT_NE(std::string::npos, classic.output.find("play a match: add `mode match`"))
        << classic.output;
}

namespace {

[[noreturn]] void throwLoop() {
    throw std::runtime_error("a link that loops");
}

// An uncaught exception, as a crash would meet it: thrown through a function that may
// not throw, so that no test framework's handler catches it on the way.
void throwFromNoexcept() noexcept {
    throwLoop();
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESTED_UNDER_ASAN 1
#endif
#endif

} // namespace

// The runner's mute and the checker's quiet streams hold the game's standard error
// back; an abort or an uncaught exception on the way still gets what was held, and its
// own message, onto the terminal, and a sanitizer's report is never held back.
TEST(MutedStreams, AFatalEndStillSaysWhy) {
    struct fatalEnd {
        const char* name;
        void (*end)();
        const char* says;
    };
    std::vector<fatalEnd> ends = {
        {"abort", [] { std::abort(); }, "the reason"},
        {"throw", [] { throwFromNoexcept(); }, "what():  a link that loops"},
    };
#ifdef TESTED_UNDER_ASAN
    ends.push_back({"use after free",
                    [] {
                        int* gone = new int[4];
                        delete[] gone;
                        printf("%d\n", static_cast<volatile int*>(gone)[1]);
                    },
                    "ERROR: AddressSanitizer: heap-use-after-free"});
#endif
    for (const fatalEnd& e : ends) {
        for (bool runner : {true, false}) {
            ChildResult r = runInChild([&] {
                std::optional<TraceMute> mute;
                std::optional<quietStreams> quiet;
                runner ? (void)mute.emplace(true) : (void)quiet.emplace();
                printf("a trace line\n");
                fprintf(stderr, "the reason\n");
                e.end();
            });
            std::string who = std::string(e.name) + (runner ? " in the runner" : " in the checker");
            EXPECT_NE(0, r.exitCode) << who;
            EXPECT_NE(std::string::npos, r.output.find(e.says)) << who << ": " << r.output;
            EXPECT_EQ(std::string::npos, r.output.find("a trace line")) << who;
        }
    }
    // Ended in order, the runner passes on only the game's own lines, the checker none.
    for (bool runner : {true, false}) {
        ChildResult r = runInChild([&] {
            std::optional<TraceMute> mute;
            std::optional<quietStreams> quiet;
            runner ? (void)mute.emplace(true) : (void)quiet.emplace();
            fprintf(stderr, "brawler: a problem\nlibrary chatter\n");
        });
        EXPECT_EQ(runner ? "brawler: a problem\n" : "", r.output);
    }
}
