#include <gtest/gtest.h>

#include "fighter/fighter.h"
#include "moves/inputChecker.h"
#include "moves/moveSet.h"
#include "platform/debugOverlay.h"
#include "shell/shell.h"
#include "tests/gameHarness.h"
#include "tests/testSupport.h"

namespace {

class PlayerControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.start();
        h.placeFighters(200, 600);
        h.pass();
        h.log.clear();
    }
    // The opponent shows frame `frame` of one of its moves and stays on it.
    void opponentStrikes(const std::string& move, int frame) {
        std::string trace =
            testsupport::captureStdout([&] { opponent.changeAction(game.moves.returnMove(move)); });
        opponent.frame = frame;
        opponent.animating = 0;
    }
    // The newest letter the player's input checker holds.
    char lastLetter() const {
        const inputKeys* k = game.checker->inputs;
        while (k && k->next)
            k = k->next;
        return k ? k->key : 0;
    }

    GameHarness h;
    Game& game = h.game;
    Fighter& player = h.game.vikings1;
    Fighter& opponent = h.game.fighter2;
};

} // namespace

// Standing blocks are a replay (block-by-stance); ducking needs the opponent's sweep
// on its striking frame.
TEST_F(PlayerControlTest, HoldingBackWhileDuckingBlocksLowAndCostsNothing) {
    h.placeFighters(300, 360);
    h.hold(SDLK_DOWN, true);
    h.pass();
    h.pass();
    ASSERT_EQ("duck", player.actionName);
    opponentStrikes("sweep", 2);
    h.hold(SDLK_LEFT, true);
    h.pass();
    EXPECT_EQ("blockLo", player.actionName);
    EXPECT_EQ(1000, player.hitPoints);
    h.hold(SDLK_LEFT, false);
    h.hold(SDLK_DOWN, false);
}

TEST_F(PlayerControlTest, BlockingInTheAir) {
    h.placeFighters(300, 360);
    opponentStrikes("kick", 2);
    h.hold(SDLK_LEFT, true);
    h.press(SDLK_UP);
    h.pass();
    EXPECT_FALSE(player.onGround);
    EXPECT_EQ("blockAir", player.actionName);
    EXPECT_EQ(1000, player.hitPoints);
    h.hold(SDLK_LEFT, false);
}

// In a match a guard held standing lets a low through (a replay shows it), but one held in
// the air stops it.
TEST_F(PlayerControlTest, InAMatchAGuardInTheAirStopsEvenALow) {
    game.player1.matchContact = true;
    game.moves.returnMove("kick")->height = attackHeight::low;
    h.placeFighters(300, 360);
    opponentStrikes("kick", 2);
    h.hold(SDLK_LEFT, true);
    h.press(SDLK_UP);
    h.pass();
    EXPECT_EQ("blockAir", player.actionName);
    EXPECT_EQ(1000, player.hitPoints);
    h.hold(SDLK_LEFT, false);
    game.moves.returnMove("kick")->height = attackHeight::mid;
}

TEST_F(PlayerControlTest, FiveOverlappingStepsOfAKickCostFiftyWithOneReaction) {
    h.placeFighters(300, 360);
    opponentStrikes("kick", 2);
    ASSERT_EQ(10, opponent.getDamage());
    std::string out = testsupport::captureStdout([&] {
        for (int i = 0; i < 5; ++i) {
            game.player1.stepAccum = 2.0f;
            game.player1.updatePosition();
        }
    });
    EXPECT_EQ(950, player.hitPoints);
    size_t first = out.find("Damage is forced!!!");
    EXPECT_NE(std::string::npos, first) << out;
    EXPECT_EQ(std::string::npos, out.find("Damage is forced!!!", first + 1)) << out;
    EXPECT_EQ("hit1", player.actionName);
}

TEST_F(PlayerControlTest, EscapeAndTheWindowsCloseEndTheGameAfterADrawnPass) {
    h.press(SDLK_j);
    h.pass();
    EXPECT_TRUE(debugging);
    h.press(SDLK_j);
    EXPECT_TRUE(h.pass());
    EXPECT_FALSE(debugging);

    SDL_Event close{};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    EXPECT_FALSE(h.pass());

    GameHarness other;
    other.start();
    other.press(SDLK_ESCAPE);
    EXPECT_FALSE(other.pass());
}

namespace {

// Pixels of the fighter's frame on show that should be on the screen but are not:
// drawn pixels of its image, except where `over` (drawn after it) covers them.
long missingPixels(SDL_Surface* screenNow, const Fighter& f, const Fighter& over) {
    auto drawnAt = [](const Fighter& who, int sx, int sy, uint32_t* colour) {
        const frameInfo* a = who.base->frameAt(who.frame, who.facingRight);
        const frameInfo* u = who.base->frameAt(who.frame, true);
        int ix = sx - (who.x - a->anchorX);
        int iy = sy - (who.y - u->anchorY);
        SDL_Surface* img = a->image;
        if (ix < 0 || iy < 0 || ix >= img->w || iy >= img->h)
            return false;
        uint32_t raw = testsupport::pixelAt(img, ix, iy);
        if ((img->flags & SDL_SRCCOLORKEY) && raw == (img->format->colorkey & 0xffffff))
            return false;
        *colour = raw;
        return true;
    };
    long missing = 0;
    for (int y = 0; y < screenNow->h; ++y)
        for (int x = 0; x < screenNow->w; ++x) {
            uint32_t mine = 0, theirs = 0;
            if (drawnAt(f, x, y, &mine) && !drawnAt(over, x, y, &theirs) &&
                testsupport::pixelAt(screenNow, x, y) != mine)
                ++missing;
        }
    return missing;
}

} // namespace

// A move that ends inside the opponent's draw, over the player: the player's pixels
// are all on the screen in that pass, not wiped for a frame.
TEST_F(PlayerControlTest, AMoveEndingInTheOpponentsDrawLeavesThePlayerDrawn) {
    h.placeFighters(300, 350);
    h.pass();
    testsupport::captureStdout([&] { opponent.changeAction(game.moves.returnMove("jab")); });
    h.pass();
    opponent.frame = opponent.base->frameCount - 1;
    ASSERT_TRUE(opponent.returnBusy());
    h.pass(400); // the last frame is due at the opponent's draw
    ASSERT_FALSE(opponent.returnBusy()) << "the move did not end in this pass";
    EXPECT_NE(std::string::npos, h.log.find("punch ended"));
    EXPECT_EQ(0, missingPixels(screen, player, opponent));
}

// Joystick play with no device at the index: only the events SDL delivers act, the
// dead zone holds up to 3200, another pad's events are not this player's, and Escape
// still ends the game.
TEST_F(PlayerControlTest, JoystickEventsPressThroughTheDeadZone) {
    game.GPad.joystickIndex = 3;
    auto axis = [&](int which, int value, int pad = 3) {
        SDL_Event e{};
        e.type = SDL_JOYAXISMOTION;
        e.jaxis.type = SDL_JOYAXISMOTION;
        e.jaxis.which = static_cast<Uint8>(pad);
        e.jaxis.axis = static_cast<Uint8>(which);
        e.jaxis.value = static_cast<Sint16>(value);
        SDL_PushEvent(&e);
        h.pass();
    };
    const int moves[][3] = {{0, 3200, 0},
                            {0, 3201, 'R'},
                            {0, -3201, 'L'},
                            {1, 3201, 'D'},
                            {1, -3201, 'U'}}; // axis, value, letter
    for (const auto& m : moves) {
        axis(m[0], m[1]);
        EXPECT_EQ(m[2], lastLetter()) << m[0] << " " << m[1];
    }
    EXPECT_FALSE(player.onGround);
    axis(1, 3201, 0);
    EXPECT_EQ('U', lastLetter()) << "pad 0 is another player's";

    SDL_Event button{};
    button.type = SDL_JOYBUTTONDOWN;
    button.jbutton.type = SDL_JOYBUTTONDOWN;
    button.jbutton.which = 3;
    button.jbutton.button = 2;
    SDL_PushEvent(&button);
    h.pass();
    EXPECT_NE(std::string::npos, h.log.find("Have Move - ")) << "button 2 pressed nothing";
    h.press(SDLK_z); // keys other than Escape do nothing with a joystick
    h.press(SDLK_ESCAPE);
    EXPECT_FALSE(h.pass());
}
