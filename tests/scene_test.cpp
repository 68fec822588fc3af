#include <gtest/gtest.h>

#include "particles/particle.h"
#include "platform/manualClock.h"
#include "shell/game.h"
#include "shell/shell.h"
#include "tests/gameHarness.h"
#include "tests/testSupport.h"

using namespace testsupport;

namespace {

// The shipped game, started on a clock the test moves, with the opponent standing.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness.start();
        ASSERT_TRUE(game.vikings1.onGround && game.fighter2.onGround);
    }

    // The particles' share of a pass of the main loop, before the scene: a fast loop
    // steps them on every other pass only, and the opponent is hit-tested after the
    // step, so a spent particle can have moved since it was drawn and still be in the
    // list when the scene is drawn.
    void step(int i) {
        clock.advance(6);
        if (i % 2 == 0)
            game.pList.update();
        game.pList.collideFighter(&game.fighter2, 'E');
    }

    GameHarness harness;
    Game& game = harness.game;
    ManualClock& clock = harness.clock;
};

} // namespace

// Fighters walking into each other, fireballs flying through the opponent, off both
// sides of the stage, bursting into sparks at the end of their lifetime, spent on the
// opponent: when every
// object has put back what it covered, the screen is the stage exactly.
TEST_F(SceneTest, FightersAndParticlesLeaveNothingBehind) {
    Fighter& player = game.vikings1;
    Fighter& opponent = game.fighter2;
    particleList& list = game.pList;
    SDL_Surface* s = screen;
    partInfoList* defs = &game.particleDefs;
    std::string log = captureStdout([&] {
        player.facingRight = true;
        list.addParticle("fireball1 92 125\n", &player, nullptr, defs, s, clock.now());
        list.addParticle("fireball1 100 200\n", nullptr, nullptr, defs, s, clock.now());
        list.addParticle("fireball1 840 400\n", nullptr, nullptr, defs, s, clock.now());
        list.addParticleD("fireball1 -40 300\n", false, nullptr, defs, s, clock.now());
        for (int i = 0; i < 320; ++i) {
            if (i % 3 == 0 && opponent.x > 180)
                opponent.x -= 4; // walks into the player
            step(i);
            // A fireball over the opponent's chest: drawn, moved, then spent on the
            // opponent with its body drawn all around it. Sparks that only fade.
            if (i % 20 == 19 && i < 200) {
                list.addParticle("fireball1 -20 100\n", &opponent, nullptr, defs, s, clock.now());
                list.addParticle("spark 0 60\n", &opponent, nullptr, defs, s, clock.now());
            }
            game.DrawScene();
        }
    });
    EXPECT_EQ(0, list.count()) << "every particle should have died by now";
    EXPECT_NE(std::string::npos, log.find("player is HIT")) << "no fireball hit the opponent";
    EXPECT_NE(std::string::npos, log.find("pNum 3")) << "no fireball burst into sparks";
    EXPECT_EQ(std::string::npos, log.find("not success"));

    player.clearBG();
    opponent.clearBG();
    list.clearBG();
    EXPECT_EQ(0, differingPixels(screen, back));
}
