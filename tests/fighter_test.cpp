#include "fighter/fighter.h"

#include <gtest/gtest.h>

#include "fighter/animationSet.h"
#include "moves/moveSet.h"
#include "platform/manualClock.h"
#include "tests/fighterData.h"
#include "tests/testSupport.h"

using namespace testsupport;
using fighterdata::frame;

namespace {

// A character whose frames differ in size and anchor within every sheet: a save taken
// for one frame does not cover the next one.
class FighterTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen = videoScreen();
        FrameSpec launch = frame(20, 30, 10, 29, {90, 90, 250});
        launch.moveY = 5;
        launch.moveX = 2;
        fighterdata::writeCharacter(
            dir.path(),
            {{"blank", {frame(20, 30, 10, 29, {255, 0, 255})}},
             {"walk",
              {frame(20, 30, 10, 29, {0, 200, 0}), frame(26, 36, 6, 35, {0, 0, 220}),
               frame(14, 24, 11, 23, {220, 220, 0})}},
             {"standing", {frame(18, 32, 9, 31, {100, 0, 100})}},
             {"duck", {frame(22, 18, 11, 17, {0, 120, 60}), frame(30, 16, 4, 15, {60, 0, 0})}},
             {"inAir", {frame(24, 26, 12, 20, {10, 60, 200}), frame(16, 40, 3, 39, {200, 60, 0})}},
             {"launch", {launch}}},
            {{{"punch"},
              {frame(20, 30, 10, 29, {150, 0, 0}), frame(34, 32, 8, 31, {200, 120, 0}),
               frame(12, 40, 2, 35, {250, 100, 100})}}});
        captureStdout([&] {
            anims.loadAll(dir.path());
            moves.loadAll(dir.path());
            punch = moves.returnMove("punch");
        });
        ASSERT_EQ(anims.entryCount, 6);
        ASSERT_EQ(punch->sheet.frameCount, 3);
    }

    // Brings a fighter onto the screen, landed on the ground at x.
    void place(Fighter& f, int x) {
        captureStdout([&] {
            f.initS(&anims, screen);
            f.speed = 3.0f;
            f.x = x;
            f.y = g_GroundLevel + 10;
            f.Gravity();
        });
        ASSERT_TRUE(f.onGround && f.jumpsLeft == 2);
    }

    // One pass of the scene, with the next frame due at the draw.
    void scene(Fighter& f) {
        f.clearBG();
        f.updateBG();
        clock.advance(1000);
        f.draw();
    }

    ManualClock clock{1000}; // moved on by each pass, so a frame is due at every draw
    SDL_Surface* screen = nullptr;
    TempDir dir;
    animationSet anims;
    moveSet moves;
    moveInfo* punch = nullptr;
};

} // namespace

TEST_F(FighterTest, ClearingLeavesTheStageIntactThroughEveryKindOfChange) {
    paintStage(screen);
    SDL_Surface* stage = snapshot(screen);
    Fighter f;
    place(f, 200);
    // A failed expectation inside the capture would print into it: only record here.
    std::vector<std::pair<std::string, long>> left;
    bool drawnOnce = false, movesEnded = true;
    auto clean = [&](const std::string& phase) {
        f.clearBG();
        left.push_back(
            {phase + (f.facingRight ? " right" : " left"), differingPixels(screen, stage)});
    };
    captureStdout([&] {
        for (bool right : {true, false}) {
            f.setDir(right);
            for (int i = 0; i < 8; ++i) {
                f.x += right ? 3 : -3;
                scene(f);
            }
            drawnOnce = differingPixels(screen, stage) > 0;
            clean("walking");
            f.duck();
            for (int i = 0; i < 5; ++i)
                scene(f);
            f.changeAnim("standing");
            scene(f);
            clean("ducking and standing");
            f.changeAction(punch);
            for (int i = 0; i < 10 && f.returnBusy(); ++i)
                scene(f);
            movesEnded = movesEnded && !f.returnBusy();
            clean("a move and its end");
            f.Jump(16);
            for (int i = 0; i < 200 && !f.onGround; ++i) {
                if (i == 6)
                    f.changeAction(punch); // ends in the air
                if (i == 14)
                    f.Jump(16);
                f.x += right ? 2 : -2;
                f.Gravity();
                scene(f);
            }
            clean("jumps, an air move and landing");
        }
        for (int edge : {0, 800}) {
            for (bool right : {true, false}) {
                f.setDir(right);
                f.x = edge;
                f.boundary();
                for (int i = 0; i < 4; ++i)
                    scene(f);
            }
            clean("half off screen");
        }
    });
    EXPECT_TRUE(drawnOnce);
    EXPECT_TRUE(movesEnded);
    EXPECT_TRUE(f.onGround);
    ASSERT_EQ(left.size(), 10u);
    for (const auto& phase : left)
        EXPECT_EQ(phase.second, 0) << phase.first;
    SDL_FreeSurface(stage);
}

// A move ends inside draw and switches to walk there, after the other fighter has been
// drawn in the same pass.
TEST_F(FighterTest, TwoOverlappingFightersLeaveTheStageIntact) {
    paintStage(screen);
    SDL_Surface* stage = snapshot(screen);
    Fighter one, two;
    place(one, 300);
    place(two, 312);
    two.setDir(false);
    one.setDir(true);
    auto pass = [&] {
        one.clearBG();
        two.clearBG();
        one.updateBG();
        two.updateBG();
        clock.advance(1000);
        one.draw();
        two.draw();
    };
    std::vector<long> left;
    captureStdout([&] {
        for (int step = 0; step < 60; ++step) {
            if (step == 0 || step == 20)
                two.changeAction(punch);
            if (step == 2)
                one.changeAction(punch);
            if (step == 20)
                one.Jump(16);
            one.x += step < 10 ? 2 : 0;
            one.Gravity();
            two.Gravity();
            pass();
            if (step == 10 || step == 59) {
                one.clearBG();
                two.clearBG();
                left.push_back(differingPixels(screen, stage));
            }
        }
    });
    EXPECT_EQ(left, (std::vector<long>{0, 0}));
    SDL_FreeSurface(stage);
}

// Jumps are replays (double-jump, air-kick); a frame with moveY launches without
// spending a jump, and moveX steps with the facing.
TEST_F(FighterTest, AFrameWithMovementLaunchesWithoutSpendingAJump) {
    Fighter f;
    place(f, 300);
    auto quiet = [&](const std::function<void()>& fn) { return captureStdout(fn); };
    quiet([&] { f.changeAnim("launch"); });
    f.setDir(false);
    f.Gravity();
    f.Gravity();
    EXPECT_EQ(f.x, 296);
    EXPECT_EQ(f.y, g_GroundLevel - 10);
    EXPECT_EQ(f.verticalSpeed, 4);
    EXPECT_FALSE(f.onGround);
    EXPECT_EQ(f.jumpsLeft, 2);
}

TEST_F(FighterTest, ChangingTheSheetReleasesTheOldBackground) {
    Fighter f;
    place(f, 300);
    scene(f);
    for (bool move : {false, true}) {
        // A second reference keeps the surface alive; its count shows whether the
        // fighter let go of it.
        SDL_Surface* old = f.background;
        ASSERT_NE(old, nullptr);
        old->refcount += 1;
        captureStdout([&] { move ? f.changeAction(punch) : f.changeAnim("duck"); });
        EXPECT_NE(f.background, old);
        EXPECT_EQ(old->refcount, 1) << (move ? "move" : "animation");
        SDL_FreeSurface(old);
    }
}

TEST(FighterBoxes, MirrorAboutTheAnchorAndShowInTheOverlay) {
    SDL_Surface* screen = videoScreen();
    CSpriteBase sheet;
    // Image 100 wide, body 10..40, anchor x 30; attack 50..90 on a damaging frame.
    fighterdata::boxSheet(sheet, 100, {10, 0, 40, 80}, 30, 79, {50, 5, 90, 15}, 1);
    fighterdata::boxSheet(sheet, 100, {10, 0, 40, 80}, 30, 79, {50, 5, 90, 15}, 0);
    Fighter f;
    f.base = &sheet;
    f.screen = screen;
    f.x = 400;
    f.y = 300;
    colBox body = f.getCBox();
    EXPECT_EQ(body.left, 390);
    EXPECT_EQ(body.right, 420);
    EXPECT_EQ(body.top, 221);
    EXPECT_EQ(body.bottom, 301);
    EXPECT_EQ(f.getDBox().left, 340);
    EXPECT_EQ(f.getDBox().right, 380);
    f.setDir(true);
    EXPECT_EQ(f.getCBox().left, 380);
    EXPECT_EQ(f.getCBox().right, 410);
    EXPECT_EQ(f.getDBox().left, 420);
    f.setDir(false);

    paintStage(screen);
    uint32_t inAttack = pixelAt(screen, 360, 235), beside = pixelAt(screen, 381, 235);
    f.drawColBoxes();
    EXPECT_EQ(pixelAt(screen, 390, 250), 0xffcc00u);
    EXPECT_NE(pixelAt(screen, 389, 250), 0xffcc00u);
    EXPECT_EQ(pixelAt(screen, 398, 298), 0x0000ccu);
    EXPECT_EQ(pixelAt(screen, 401, 299), 0x0000ccu);
    EXPECT_EQ(pixelAt(screen, 360, 235), 0xff0000u);
    EXPECT_EQ(pixelAt(screen, 381, 235), beside);
    paintStage(screen);
    f.frame = 1; // same boxes, no damage
    f.drawColBoxes();
    EXPECT_EQ(pixelAt(screen, 390, 250), 0xffcc00u);
    EXPECT_EQ(pixelAt(screen, 360, 235), inAttack);
}

TEST_F(FighterTest, HitPointsBoundaryHitableAndDuck) {
    Fighter f; // hit points stopping at 0: the replay hit-points-stop-at-zero
    f.setHP(900, 1000);
    f.changeHP(500);
    EXPECT_EQ(f.hitPoints, 1000);
    for (auto [from, to] : {std::pair{0, 2}, {800, 798}, {-50, 2}, {400, 400}}) {
        f.x = from;
        f.boundary();
        EXPECT_EQ(f.x, to);
    }
    for (auto [action, hitable] : {std::pair{"hit1", false},
                                   {"blockHi", false},
                                   {"blockLo", false},
                                   {"blockAir", false},
                                   {"walk", true},
                                   {"Hit1", true}}) {
        f.actionName = action;
        EXPECT_EQ(f.returnHitable(), hitable) << action;
    }
    Fighter g;
    place(g, 300);
    std::string seen;
    captureStdout([&] {
        for (const char* from : {"inAir", "standing", "punch", "walk"}) {
            std::string(from) == "punch" ? g.changeAction(punch) : g.changeAnim(from);
            g.duck();
            seen += g.actionName + " ";
            g.currentMove = nullptr;
        }
    });
    EXPECT_EQ(seen, "inAir standing punch duck ");
}

TEST(FighterWithoutSheets, CopesWithAnEmptyCharacter) {
    SDL_Surface* screen = videoScreen();
    TempDir dir;
    animationSet anims;
    moveSet moves;
    moveInfo bare; // a move whose sheet has no frames
    bare.name = "bare";
    Fighter f;
    std::string out = captureStdout([&] {
        anims.loadAll(dir / "nobody");
        moves.loadAll(dir / "nobody");
        f.initS(&anims, screen);
        f.y = 540;
        for (int i = 0; i < 3; ++i) {
            f.Gravity();
            f.clearBG();
            f.updateBG();
            f.draw();
            f.drawColBoxes();
        }
        f.changeAction(moves.returnMove("punch"));
        f.changeAction(&bare);
        f.draw();
    });
    EXPECT_EQ(f.base, nullptr);
    EXPECT_EQ(f.background, nullptr);
    EXPECT_FALSE(f.returnBusy()) << "a move without frames ends at the next draw";
    EXPECT_NE(out.find("barepunch ended\nwalk\n"), std::string::npos) << out;
    colBox none = f.getCBox();
    EXPECT_EQ(none.left | none.right | none.top | none.bottom, 0);
}

// Absurd numbers in a sheet (an anchor a million pixels off the image, a launch of
// billions) neither overflow nor make a background larger than the screen.
TEST(FighterWithAbsurdFrames, StaysBoundedAndLeavesTheStageIntact) {
    ManualClock clock{1000};
    SDL_Surface* screen = videoScreen();
    paintStage(screen);
    SDL_Surface* stage = snapshot(screen);
    TempDir dir;
    FrameSpec far = frame(20, 30, 10, 29, {0, 200, 0});
    FrameSpec near = frame(20, 30, 10, 29, {200, 0, 0});
    writeFile(dir / "info", "ANIMS: 2\nblank\nwalk\n");
    writeSheet(dir / "blank", {frame(20, 30, 10, 29, {255, 0, 255})});
    writeSheet(dir / "walk", {near, far});
    // The second walk frame (from line 16): anchor far left of its image, a launch beyond int.
    replaceLine(dir / "walk/info", 17, "-99999999999 29");
    replaceLine(dir / "walk/info", 27, "0 99999999999");
    writeFile(dir / "moveset", "ANIMS: 0\n");

    animationSet anims;
    Fighter f;
    captureStdout([&] {
        anims.loadAll(dir.path());
        f.initS(&anims, screen);
    });
    CSpriteBase* walk = anims.returnAnimation("walk");
    ASSERT_EQ(walk->frameCount, 2);
    EXPECT_EQ(walk->frames[1].anchorX, -1000000);
    EXPECT_EQ(walk->frames[1].moveY, 1000000);
    f.x = 400;
    f.y = 300;
    f.speed = 3.0f;
    captureStdout([&] {
        for (int i = 0; i < 100; ++i) {
            f.clearBG();
            f.updateBG();
            clock.advance(1000);
            f.draw();
            f.Gravity();
            f.boundary();
        }
    });
    ASSERT_NE(f.background, nullptr);
    EXPECT_LE(f.background->w, screen->w);
    EXPECT_LE(f.background->h, screen->h);
    EXPECT_GE(f.y, -(1 << 24) - 100); // stopped near the launch ceiling
    f.clearBG();
    EXPECT_EQ(differingPixels(screen, stage), 0);
    SDL_FreeSurface(stage);
}
