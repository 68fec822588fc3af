#include <gtest/gtest.h>

#include "platform/manualClock.h"
#include "sprite/CSprite.h"
#include "sprite/CSpriteBase.h"
#include "tests/testSupport.h"

using namespace testsupport;

namespace {

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen = videoScreen();
        paintStage(screen);
    }
    // Frames 0..n-1 of distinct sizes and colours.
    void loadSheet(const std::vector<FrameSpec>& frames) {
        writeSheet(dir.path(), frames);
        ASSERT_EQ(0, sheet.initR(dir.path()));
    }
    // Moves the game clock far past any frame's delay.
    void makeDue() { clock.advance(100000); }
    ManualClock clock{1000};
    TempDir dir;
    CSpriteBase sheet;
    SDL_Surface* screen = nullptr;
};

std::vector<FrameSpec> threeFrames() {
    FrameSpec a, b, c;
    a.fill = {200, 0, 0};
    b.fill = {0, 200, 0};
    b.w = 35;
    b.h = 18;
    c.fill = {0, 0, 200};
    c.w = 12;
    c.h = 44;
    return {a, b, c};
}

} // namespace

TEST_F(SpriteTest, AdvancesAtMostOneFramePerDrawAndWraps) {
    loadSheet(threeFrames());
    CSprite s;
    s.init(&sheet, screen);
    s.speed = 3.0f;
    s.lastTick = 1000; // delay 10 x speed 3: due after 1030
    clock.set(1030);
    s.draw();
    EXPECT_EQ(0, s.frame);
    clock.set(1031);
    s.draw();
    EXPECT_EQ(1, s.frame);
    EXPECT_EQ(1031, s.lastTick);
    clock.advance(100000); // very late: still only one frame
    s.draw();
    EXPECT_EQ(2, s.frame);
    s.frame = 1;
    makeDue();
    s.draw();
    EXPECT_EQ(2, s.frame);
    makeDue();
    s.draw();
    EXPECT_EQ(0, s.frame);
    s.animating = 0;
    makeDue();
    s.draw();
    EXPECT_EQ(0, s.frame);
}

TEST_F(SpriteTest, OneFrameSheetNeverAdvances) {
    loadSheet({FrameSpec{}});
    CSprite s;
    s.init(&sheet, screen);
    makeDue();
    s.draw();
    EXPECT_EQ(0, s.frame);
    EXPECT_EQ(1, s.drawn);
}

TEST_F(SpriteTest, RestoringLeavesTheScreenEqualToTheStage) {
    loadSheet(threeFrames());
    SDL_Surface* stage = snapshot(screen);
    CSprite s;
    s.init(&sheet, screen);
    s.speed = 3.0f;
    s.clearBG(); // before the first draw: nothing is restored
    EXPECT_EQ(0, differingPixels(screen, stage));
    const int path[][2] = {{100, 100}, {103, 101}, {-10, 50}, {790, 590}, {400, -20}, {5, 5}};
    bool mirrored = false;
    for (const auto& p : path) {
        s.clearBG();
        s.x = p[0];
        s.y = p[1];
        s.updateBG();
        makeDue(); // the frame changes size between the save and the blit
        s.drawD(mirrored);
        mirrored = !mirrored;
        EXPECT_GT(differingPixels(screen, stage), 0);
    }
    s.clearBG();
    EXPECT_EQ(0, differingPixels(screen, stage));
    SDL_FreeSurface(stage);
}

TEST_F(SpriteTest, MirroredBoxesAnchorsAndImage) {
    FrameSpec f;
    f.w = 100;
    f.h = 80;
    f.anchorX = 30;
    f.anchorY = 70;
    f.cBox[0] = 10, f.cBox[1] = 5, f.cBox[2] = 40, f.cBox[3] = 60;
    f.pixels = {{{0, 0}, {250, 250, 0}}};
    loadSheet({f});
    CSprite s;
    s.init(&sheet, screen);
    s.x = 200;
    s.y = 300;
    colBox right = s.getColBox(true);
    colBox left = s.getColBox(false);
    EXPECT_EQ(210, right.left);
    EXPECT_EQ(240, right.right);
    EXPECT_EQ(260, left.left);
    EXPECT_EQ(290, left.right);
    EXPECT_EQ(305, left.top);
    EXPECT_EQ(360, left.bottom);

    s.adjustPos(500, 400, true);
    EXPECT_EQ(470, s.x);
    EXPECT_EQ(330, s.y);
    s.adjustPos(500, 400, false);
    EXPECT_EQ(430, s.x);

    s.drawD(false);
    EXPECT_EQ(0xfafa00u, pixelAt(screen, s.x + 99, s.y));
    s.drawD(true);
    EXPECT_EQ(0xfafa00u, pixelAt(screen, s.x, s.y));
}

TEST_F(SpriteTest, FrameQueriesAndMovement) {
    FrameSpec f;
    f.particles = {"fireball1 60 80"};
    f.sound = "punch";
    f.damage = 7;
    f.hitType = 1;
    f.moveX = 5;
    f.cBox[3] = 25;
    f.dBox[3] = 40;
    loadSheet({f});
    CSprite s;
    s.init(&sheet, screen);
    EXPECT_EQ(1, s.returnPartNum());
    EXPECT_EQ("fireball1 60 80\n", s.returnParticle(1));
    EXPECT_EQ("punch", s.returnSound());
    EXPECT_EQ(7, s.getDamage());
    EXPECT_EQ(1, s.getHitType());
    EXPECT_EQ(40, s.getYOffset(0));
    s.x = 10;
    s.moveD(true);
    EXPECT_EQ(15, s.x);
    s.moveD(false);
    s.moveD(false);
    EXPECT_EQ(5, s.x);
}

TEST_F(SpriteTest, DebugBoxIsRedOverTheUnmirroredBody) {
    loadSheet({FrameSpec{}});
    CSprite s;
    s.init(&sheet, screen);
    s.x = 300;
    s.y = 200;
    s.drawColBoxes();
    EXPECT_EQ(0xff0000u, pixelAt(screen, 302, 202));
    EXPECT_NE(0xff0000u, pixelAt(screen, 301, 202));
}

TEST_F(SpriteTest, SheetWithoutFramesIsHarmless) {
    writeFile(dir / "info", "FILES: 0\n");
    ASSERT_EQ(0, sheet.initR(dir.path()));
    CSprite s;
    s.init(&sheet, screen);
    SDL_Surface* stage = snapshot(screen);
    s.updateBG();
    s.draw();
    s.clearBG();
    s.drawColBoxes();
    EXPECT_EQ("NULL", s.returnSound());
    EXPECT_EQ(0, s.returnPartNum());
    EXPECT_EQ(0, differingPixels(screen, stage));
    SDL_FreeSurface(stage);
}
