#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control/inputFrame.h"
#include "fighter/fighter.h"
#include "match/trainingRules.h"
#include "moves/moveSet.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/shell.h"
#include "shell/trainingSession.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

// The lines of `trace` that start with "training: " or "screen: ", in order.
std::vector<std::string> trainingLines(const std::string& trace) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < trace.size()) {
        size_t end = trace.find('\n', at);
        if (end == std::string::npos)
            end = trace.size();
        std::string line = trace.substr(at, end - at);
        if (line.rfind("training: ", 0) == 0 || line.rfind("screen: ", 0) == 0)
            out.push_back(line);
        at = end + 1;
    }
    return out;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

// The dummy's own frames: it crouches, jumps only from the ground, guards lows crouching
// and the rest standing, and after a hit guards the attacks that follow, not the one
// that hit.
TEST(Training, DummyFramesFollowItsMode) {
    moveInfo low;
    low.height = attackHeight::low;
    moveInfo overhead;
    overhead.height = attackHeight::overhead;
    Fighter dummy;
    Fighter player;
    dummy.onGround = true;
    trainingRules rules;

    rules.mode = dummyMode::crouch;
    EXPECT_EQ(inputFrame::down, rules.dummyFrame(dummy, player).held);
    rules.mode = dummyMode::jump;
    inputFrame jump = rules.dummyFrame(dummy, player);
    ASSERT_EQ(1, jump.pressCount);
    EXPECT_EQ(inputFrame::up, jump.presses[0]);
    dummy.onGround = false;
    EXPECT_EQ(0, rules.dummyFrame(dummy, player).pressCount);
    dummy.onGround = true;

    rules.mode = dummyMode::block;
    player.currentMove = &low;
    inputFrame guard = rules.dummyFrame(dummy, player);
    EXPECT_EQ(inputFrame::blockOn, guard.choices);
    EXPECT_EQ(inputFrame::down, guard.held);
    player.currentMove = &overhead;
    guard = rules.dummyFrame(dummy, player);
    EXPECT_EQ(inputFrame::blockOn, guard.choices);
    EXPECT_EQ(0, guard.held);

    rules.mode = dummyMode::blockAfterHit;
    EXPECT_EQ(0, rules.dummyFrame(dummy, player).choices); // not hit yet
    rules.v.sides[1].against.guarding = true;
    rules.v.sides[1].countedMove = &overhead;
    rules.v.sides[1].countedStart = 40;
    rules.v.sides[0].move = &overhead;
    rules.v.sides[0].moveStart = 40;
    EXPECT_EQ(0, rules.dummyFrame(dummy, player).choices); // the hit that landed goes on
    rules.v.sides[0].moveStart = 60;
    EXPECT_EQ(inputFrame::blockOn, rules.dummyFrame(dummy, player).choices);

    rules.mode = dummyMode::stand;
    EXPECT_EQ(inputFrame{}, rules.dummyFrame(dummy, player));
}

// Training's keys on the real loop: F1 saves and F2 puts the position back (the jab
// between them undone), F3 records the player's keys as the dummy's (the dummy jabs
// the player, the player's fighter stands), F4 plays the recording in a loop, F6 cycles
// the dummy's mode and ends the playback; the jab's frame data and the refill are in
// the trace, the input display keeps the presses and the panel darkens its plates.
TEST(Training, KeysSaveRestoreRecordAndPlayBack) {
    screen = videoScreen();
    FightScript script;
    script.name = "training.fight";
    std::string error;
    ASSERT_TRUE(script.parse("data " + kData +
                                 "\n"
                                 "mode training\n"
                                 "at 900 place player 500\n"
                                 "at 900 place opponent 560\n"
                                 "at 900 tap F1\n"
                                 "at 950 tap z\n"
                                 "at 1150 expect opponent hp = 952\n"
                                 "at 1200 tap F2\n"
                                 "at 1220 expect opponent hp = 1000\n"
                                 "at 1220 expect player x = 500\n"
                                 "at 1500 tap F3\n"
                                 "at 1550 tap z\n"
                                 "at 1620 expect opponent action = jab\n"
                                 "at 1620 expect player action != jab\n"
                                 "at 1800 expect player hp = 952\n"
                                 "at 2000 tap F3\n"
                                 "at 2900 expect player hp = 1000\n"
                                 "at 2900 place player 500\n"
                                 "at 2900 place opponent 560\n"
                                 "at 2900 tap F4\n"
                                 "at 3200 expect player hp = 952\n"
                                 "at 4600 tap F6\n"
                                 "end 4700\n",
                             &error))
        << error;
    FightRunner runner;
    bool plated = false;
    bool jabShown = false;
    runner.afterPass = [&](long passMs, Game& g) {
        // The last pass or two: the jab is among the last 16 inputs.
        if (passMs < 4680)
            return;
        for (const inputShown& in : g.match->trainer->inputsShown())
            jabShown |= (in.held & inputFrame::buttonA) != 0;
        // The input display's plate: the stage darkened under it.
        Uint32 under = static_cast<Uint32*>(back->pixels)[90 * back->pitch / 4 + 12];
        Uint32 shown = static_cast<Uint32*>(screen->pixels)[90 * screen->pitch / 4 + 12];
        Uint8 r0, g0, b0, r1, g1, b1;
        SDL_GetRGB(under, back->format, &r0, &g0, &b0);
        SDL_GetRGB(shown, screen->format, &r1, &g1, &b1);
        plated = r1 + g1 + b1 < r0 + g0 + b0;
    };
    FightSummary summary;
    std::string trace = captureStdout([&] { summary = runner.run(script); });
    for (const std::string& f : runner.failures)
        ADD_FAILURE() << f;
    std::vector<std::string> lines = trainingLines(trace);
    std::string all;
    for (const std::string& l : lines)
        all += l + "\n";
    EXPECT_EQ("screen: training", lines.at(0));
    EXPECT_EQ("training: dummy stand", lines.at(1));
    for (const char* want :
         {"training: position saved", "training: position restored", "training: jab on hit +5",
          "training: recording (the dummy takes your keys; F3 stops)",
          "training: combo on the player: 1 hits, 48 damage",
          "training: hit points refilled on the player", "training: playback on",
          "training: dummy crouch"})
        EXPECT_TRUE(has(lines, want)) << want << " not in:\n" << all;
    // The recording is played in a loop: the jab lands once in every turn.
    EXPECT_GE(
        std::count(lines.begin(), lines.end(), "training: combo on the player: 1 hits, 48 damage"),
        3)
        << all;
    EXPECT_TRUE(jabShown);
    EXPECT_TRUE(plated);
}
