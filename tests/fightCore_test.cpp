#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/fightState.h"
#include "shell/shell.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

FightSummary runMatch(const std::string& text, FightRunner& runner) {
    screen = videoScreen();
    FightScript script;
    script.name = "core.fight";
    std::string error;
    EXPECT_TRUE(script.parse("data " + kData + "\nmode match\n" + text, &error)) << error;
    FightSummary summary;
    captureStdout([&] { summary = runner.run(script); });
    return summary;
}

// A fireball thrown through the command buffer while the computer fights on its own
// draws: both the buffer and the generator carry over from step to step.
const char* const kFireballFight = "seed 3\nat 2000 tap Down\nat 2020 tap Right\n"
                                   "at 2040 tap z\nat 2100 tap Down\nat 2110 tap Right\n"
                                   "end 4000\n";

} // namespace

// The sync test passes a whole fight run again from every step, and fails, naming the
// field, once a part of the fight is left out of what is saved and restored.
TEST(FightCore, SyncTestPassesAndCatchesAStateThatMissesAField) {
    for (const char* leftOut : {"", "presses", "random"}) {
        SCOPED_TRACE(std::string("left out: ") + leftOut);
        fightState::leaveOut = leftOut;
        FightRunner runner;
        runner.syncSteps = 8;
        FightSummary s = runMatch(kFireballFight, runner);
        fightState::leaveOut.clear();
        EXPECT_GT(s.syncSteps, 300);
        if (*leftOut == '\0') {
            EXPECT_EQ(0, s.syncMismatches);
            EXPECT_TRUE(runner.failures.empty());
            continue;
        }
        EXPECT_GT(s.syncMismatches, 0);
        ASSERT_FALSE(runner.failures.empty());
        std::string field = std::string(leftOut) == "presses" ? "checker.buffer" : "random";
        EXPECT_NE(std::string::npos, runner.failures[0].find(field)) << runner.failures[0];
        EXPECT_NE(std::string::npos, runner.failures[0].find("sync test: step"))
            << runner.failures[0];
    }
}

// The steps alone, without a picture, make the same fight as with one.
TEST(FightCore, AFightIsTheSameWithOrWithoutItsPicture) {
    FightRunner drawn, blind;
    blind.noPicture = true;
    std::string script = std::string(kFireballFight) + "random-input\n";
    FightSummary a = runMatch(script, drawn);
    FightSummary b = runMatch(script, blind);
    EXPECT_EQ(a.format(false), b.format(false));
}
