#include <gtest/gtest.h>

#include "sprite/CSprite.h"
#include "sprite/CSpriteBase.h"
#include "tests/testSupport.h"

using namespace testsupport;

// A sheet without frames draws, restores and answers nothing. (Sprites with frames are
// in every golden fight and the classic game's picture.)
TEST(Sprite, SheetWithoutFramesIsHarmless) {
    SDL_Surface* screen = videoScreen();
    paintStage(screen);
    TempDir dir;
    writeFile(dir / "info", "FILES: 0\n");
    CSpriteBase sheet;
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
