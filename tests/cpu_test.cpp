// The computer of today's match against the scripted players of tests/cpu, whole
// best-of-three matches played in this process (bench/cpu-levels.sh plays the full
// table of levels and seeds).

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "ai/aiAttackList.h"
#include "ai/fightBrain.h"
#include "moves/moveSet.h"
#include "shell/shell.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

const std::string kCpu = std::string(BRAWLER_SOURCE_DIR) + "/tests/cpu/";
const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

struct matchEnd {
    int player = 0;   // rounds the player took
    int computer = 0; // rounds the computer took
    int rounds = 0;   // rounds played
    std::string winner;
    long syncMismatches = -1;
};

// One match of a scripted player against the computer at `level` playing `character`.
matchEnd play(const std::string& player, int level, unsigned seed, const std::string& character,
              int syncSteps = 0) {
    screen = videoScreen();
    std::ifstream in(kCpu + player + ".fight");
    std::stringstream text;
    text << "seed " << seed << "\ncpu " << level << "\ncharacter opponent " << character << "\n"
         << in.rdbuf();
    FightScript script;
    script.name = kCpu + player + ".fight";
    std::string error;
    EXPECT_TRUE(script.parse(text.str(), &error)) << error;
    FightRunner runner;
    runner.noPicture = true;
    runner.syncSteps = syncSteps;
    FightSummary s;
    captureStdout([&] { s = runner.run(script); });
    EXPECT_TRUE(runner.failures.empty()) << player << ": " << runner.failures.front();
    matchEnd e;
    char winner[16] = {};
    EXPECT_EQ(4, sscanf(s.matchResult.c_str(),
                        "over in round %d, rounds won: player %d, opponent %d, winner: %15s",
                        &e.rounds, &e.player, &e.computer, winner))
        << s.matchResult;
    e.winner = winner;
    e.syncMismatches = s.syncMismatches;
    return e;
}

} // namespace

// The hardest level lets none of the four take a round, as either character; the turtle,
// whose guard stops all but lows, loses outright rather than holding out for a draw.
TEST(ComputerLevels, LevelEightGivesNoScriptedPlayerARound) {
    for (const char* player : {"masher", "fireballs", "turtle", "sweeper"})
        for (const char* character : {"Brawler", "Basalt"}) {
            matchEnd e = play(player, 8, 1, character);
            EXPECT_EQ(0, e.player) << player << " against " << character;
            EXPECT_EQ("opponent", e.winner) << player << " against " << character;
        }
}

// The easiest level loses at least half its rounds to a key-masher.
TEST(ComputerLevels, LevelOneLosesToAKeyMasher) {
    int player = 0, rounds = 0;
    for (unsigned seed : {1u, 2u, 3u}) {
        matchEnd e = play("masher", 1, seed, seed % 2 ? "Brawler" : "Basalt");
        player += e.player;
        rounds += e.rounds;
    }
    EXPECT_GE(2 * player, rounds);
}

// A match against the computer is a pure function of its seed and input: every step,
// put back eight steps and run again, comes out the same, the brain's memory included.
TEST(ComputerLevels, AMatchRunsAgainStepForStep) {
    EXPECT_EQ(0, play("masher", 6, 4, "Basalt", 8).syncMismatches);
}

// Only the table's entries the set holds, and that strike, are options: a name the set
// lacks would otherwise be its first move, the flinch. The anti-air is picked by reach.
TEST(ComputerLevels, TheAttackTableGivesOnlyMovesThatStrike) {
    screen = videoScreen();
    moveSet moves;
    captureStdout([&] { moves.loadAll(kData + "/Brawler"); });
    aiAttackList table;
    for (const char* name : {"ghost", "hit1", "jab", "uppercut", "jab"})
        table.groups[0].push_back(aiAttack{'S', name, 0});
    table.groups[2].push_back(aiAttack{'S', "airKick", 0});
    fightBrain brain;
    brain.setup(nullptr, nullptr, &moves, nullptr, table, 8);
    std::vector<std::string> names;
    for (const fightBrain::option& o : brain.groundOptions())
        names.push_back(moves.moves[static_cast<size_t>(o.index)].name);
    EXPECT_EQ((std::vector<std::string>{"jab", "uppercut"}), names);
    ASSERT_EQ(1u, brain.airOptions().size());
    ASSERT_NE(nullptr, brain.antiAir());
    EXPECT_EQ("uppercut", moves.moves[static_cast<size_t>(brain.antiAir()->index)].name);
    EXPECT_TRUE(brain.antiAir()->facts.special);
}
