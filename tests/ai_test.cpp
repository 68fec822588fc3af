#include <set>

#include <gtest/gtest.h>

#include "ai/AI.h"
#include "fighter/fighter.h"
#include "moves/moveSet.h"
#include "shell/shell.h"
#include "tests/gameHarness.h"
#include "tests/testSupport.h"

namespace {

class OpponentTest : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }

    // Thinks once with the player dx to the right and dy below the opponent, and
    // returns the situation line it printed.
    std::string thinkWith(int dx, int dy, bool playerAirborne = false) {
        opponent.x = 300;
        opponent.y = g_GroundLevel;
        player.x = 300 + dx;
        player.y = g_GroundLevel + dy;
        player.onGround = !playerAirborne;
        std::string out = testsupport::captureStdout([&] { ai.think(); });
        size_t start = out.find("       ");
        return start == std::string::npos ? out : out.substr(start, out.find('\n', start) - start);
    }

    GameHarness h;
    AI& ai = h.game.basicAI;
    Fighter& player = h.game.vikings1;
    Fighter& opponent = h.game.fighter2;
};

} // namespace

TEST_F(OpponentTest, ThinkPicksTheTableOfTheSituationAtItsBoundaries) {
    const std::string inFront = "       Short Range AI, enem infront ";
    const std::string below = "       Short Range AI, enem below ";
    const std::string above = "       Short Range AI, enem above ";
    const std::string mid = "       Mid Range AI ";
    const std::string midAir = "       Mid Range AI enem in air";
    const std::string far = "       Long Range AI";
    EXPECT_EQ(inFront, thinkWith(150, 0));
    EXPECT_EQ(inFront, thinkWith(-150, 24));
    EXPECT_EQ(inFront, thinkWith(120, -24));
    EXPECT_EQ(above, thinkWith(120, 25)); // the player lower on the screen
    EXPECT_EQ(below, thinkWith(120, -25));
    EXPECT_EQ(mid, thinkWith(151, 0));
    EXPECT_EQ(mid, thinkWith(-499, 0));
    EXPECT_EQ(midAir, thinkWith(300, 0, true));
    EXPECT_EQ(far, thinkWith(500, 0));

    // Over many draws each situation yields exactly the states of its table.
    struct Case {
        int dx, dy;
        bool air;
        std::set<int> states;
    };
    const Case cases[] = {
        {100, 0, false, {stateAttack, stateRetreat, stateJumpInDir, stateDuck, stateNothing}},
        {100, 60, false, {stateAttack, stateRetreat, stateJumpUpAt, stateDuck, stateNothing}},
        {100, -60, false, {stateAttack, stateRetreat, stateJumpInDir, stateNothing}},
        {300, 0, true, {stateGetCloser, stateRetreat, stateJumpUpAt, stateDuck, stateNothing}},
        {300,
         0,
         false,
         {stateGetCloser, stateRetreat, stateJumpInDir, stateAttack, stateDuck, stateNothing}},
        {600, 0, false, {stateGetCloser, stateJumpInDir, stateAttack, stateNothing, stateDuck}},
    };
    for (const Case& c : cases) {
        std::set<int> seen;
        for (int i = 0; i < 300; ++i) {
            thinkWith(c.dx, c.dy, c.air);
            seen.insert(ai.state);
            if (ai.state == stateAttack) {
                EXPECT_EQ(1, ai.phase);
            }
            if (ai.state == stateDuck) {
                EXPECT_TRUE(ai.timer >= 1 && ai.timer <= 50) << ai.timer;
            }
        }
        EXPECT_EQ(c.states, seen) << c.dx << "," << c.dy;
    }
}
