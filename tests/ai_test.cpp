#include <set>

#include <gtest/gtest.h>

#include "ai/AI.h"
#include "ai/randomNumber.h"
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

namespace {

// Where the computer's choices leave its fighter, and what it will do next.
struct Outcome {
    int x, y, verticalSpeed, jumpsLeft;
    bool onGround;
    std::string action;
    bool blocking;
    int state, phase, jumpDir;
    float timer;
    bool operator==(const Outcome& o) const {
        return x == o.x && y == o.y && verticalSpeed == o.verticalSpeed &&
               jumpsLeft == o.jumpsLeft && onGround == o.onGround && action == o.action &&
               blocking == o.blocking && state == o.state && phase == o.phase &&
               jumpDir == o.jumpDir && timer == o.timer;
    }
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    return os << "x " << o.x << " y " << o.y << " vs " << o.verticalSpeed << " jumps "
              << o.jumpsLeft << " ground " << o.onGround << " " << o.action << " block "
              << o.blocking << " state " << o.state << " phase " << o.phase << " dir " << o.jumpDir
              << " timer " << o.timer;
}

// One moment of the computer's fight: its state, and where both fighters stand.
struct Moment {
    aiState state;
    float timer;
    int phase, jumpDir;
    int gap;             // the player's distance, to the right
    int playerBelow;     // how far below the opponent the player stands
    bool airborne;       // the opponent is in the air
    int jumpsLeft;       // the opponent's jumps left
    const char* showing; // the opponent's animation
};

} // namespace

// In a match the computer only chooses and the side's controller carries its frame out:
// from every state, the fighter ends where the classic opponent, acting on it directly,
// puts it, and the computer is left in the same state. Choosing alone moves nothing.
TEST_F(OpponentTest, ChoicesCarriedOutMoveTheFighterAsTheOpponentActingItself) {
    playerControl& body = h.game.player2;
    body.init(h.game.basicAI.screen);
    body.setup(&opponent, &h.game.particleDefs, &h.game.pList, h.game.sounds.get(), ai.animSet,
               ai.moveBank, nullptr, nullptr, &h.game.targ2);
    opponent.stepsApart = true;
    const Moment moments[] = {
        {stateThink, 0, 0, 1, 100, 0, false, 2, "walk"},
        {stateThink, 0, 0, 1, 300, 0, false, 2, "standing"},
        {stateThink, 0, 0, 1, 600, 0, false, 2, "duck"},
        {stateThink, 0, 0, 1, 100, 60, false, 2, "standing"},
        {stateGetCloser, 0, 0, 1, 300, 0, false, 2, "standing"},
        {stateGetCloser, 0, 0, 1, 50, 0, false, 2, "walk"},
        {stateRetreat, 5, 0, 1, 200, 0, false, 2, "standing"},
        {stateRetreat, 0.5f, 0, 1, 200, 0, false, 2, "walk"},
        {stateDuck, 3, 0, 1, 200, 0, false, 2, "standing"},
        {stateDuck, 0.5f, 0, 1, 200, 0, false, 2, "duck"},
        {stateNothing, 0.5f, 0, 1, 200, 0, false, 2, "walk"},
        {stateAttack, 0, 1, 1, 100, 0, false, 2, "standing"},
        {stateAttack, 0, 1, 1, 100, 0, false, 2, "duck"},
        {stateAttack, 0, 1, 1, 100, 0, true, 1, "inAir"},
        {stateAttack, 0, 1, 1, 100, 0, true, 0, "inAir"},
        {stateJumpUpAt, 3, 0, 1, 100, 200, true, 1, "inAir"},
        {stateJumpUpAt, 3, 0, 1, 100, 0, true, 1, "inAir"},
        {stateJumpUpAt, 0.5f, 1, 1, 100, 0, true, 1, "inAir"},
        {stateJumpInDir, 3, 0, 0, 100, 0, true, 1, "inAir"},
        {stateJumpInDir, 3, 0, 2, 100, 0, true, 1, "inAir"},
        {stateJumpInDir, 3, 0, 2, 100, 0, false, 1, "standing"},
    };
    auto setUp = [&](const Moment& m, unsigned seed) {
        opponent.x = 300;
        opponent.y = m.airborne ? g_GroundLevel - 150 : g_GroundLevel;
        opponent.onGround = !m.airborne;
        opponent.verticalSpeed = m.airborne ? 4 : 0;
        opponent.jumpsLeft = m.jumpsLeft;
        opponent.currentMove = nullptr;
        testsupport::captureStdout([&] { opponent.changeAnim(m.showing); });
        player.x = 300 + m.gap;
        player.y = opponent.y + m.playerBelow;
        player.onGround = true;
        ai.state = m.state;
        ai.timer = m.timer;
        ai.phase = m.phase;
        ai.jumpDir = m.jumpDir;
        ai.blocking = body.blocking = false;
        ai.delta = body.delta = 1.1f;
        g_randomNumber.seedFight(seed);
    };
    auto outcome = [&](const playerControl& c) {
        return Outcome{opponent.x,         opponent.y,        opponent.verticalSpeed,
                       opponent.jumpsLeft, opponent.onGround, opponent.actionName,
                       c.blocking,         ai.state,          ai.phase,
                       ai.jumpDir,         ai.timer};
    };
    for (const Moment& m : moments) {
        for (unsigned seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE("state " + std::to_string(m.state) + " showing " + m.showing + " gap " +
                         std::to_string(m.gap) + " seed " + std::to_string(seed));
            setUp(m, seed);
            testsupport::captureStdout([&] { ai.stateCheck(); });
            Outcome acted = outcome(ai);

            setUp(m, seed);
            Outcome before = outcome(body);
            inputFrame choice;
            testsupport::captureStdout([&] { choice = ai.choose(body.delta); });
            Outcome chosen = outcome(body);
            EXPECT_EQ(before.x, chosen.x);
            EXPECT_EQ(before.action, chosen.action);
            EXPECT_EQ(before.verticalSpeed, chosen.verticalSpeed);
            testsupport::captureStdout([&] { body.carryOut(choice); });
            EXPECT_EQ(acted, outcome(body));
        }
    }
    g_randomNumber.useLibraryGenerator();
}
