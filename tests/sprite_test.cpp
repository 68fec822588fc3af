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

} // namespace

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
