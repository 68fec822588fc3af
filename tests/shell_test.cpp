#include <cstdlib>

#include <gtest/gtest.h>

#include "shell/shell.h"
#include "tests/testSupport.h"

using namespace testsupport;

TEST(ShellStartUp, VideoDriverThatCannotStartEndsWithCodeOne) {
    ChildResult r = runInChild([] {
        SDL_Quit(); // start from nothing, whatever earlier tests brought up
        setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
        sdlInit();
    });
    EXPECT_EQ(1, r.exitCode);
    // Depending on the SDL build the driver is refused at init or at the mode switch.
    EXPECT_TRUE(r.output.rfind("Unable to init SDL: ", 0) == 0 ||
                r.output.rfind("Unable to set 800x600 video: ", 0) == 0)
        << r.output;
}

TEST(ShellStartUp, MissingAudioOnlyWarns) {
    ChildResult r = runInChild([] {
        SDL_Quit();
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        sdlInit();
        printf("screen %dx%d\n", screen->w, screen->h);
    });
    EXPECT_EQ(0, r.exitCode) << r.output;
    EXPECT_NE(std::string::npos,
              r.output.find("Warning: Couldn't set 44100 Hz 16-bit audio\n- Reason: "))
        << r.output;
    EXPECT_NE(std::string::npos, r.output.find("screen 800x600")) << r.output;
}

TEST(ShellStartUp, StageIsLoadedAndDrawnOrTheGameStopsInOrder) {
    TempDir dir;
    writeBMP(dir / "tBG2.bmp", 800, 600, {10, 120, 200}, {{{5, 7}, {250, 30, 30}}});
    screen = videoScreen();
    ASSERT_EQ(0, InitImages(dir.path()));
    ASSERT_NE(nullptr, back);
    SDL_FillRect(screen, nullptr, 0);
    DrawBG();
    EXPECT_EQ(0x0a78c8u, pixelAt(screen, 0, 0));
    EXPECT_EQ(0xfa1e1eu, pixelAt(screen, 5, 7));

    TempDir empty;
    ChildResult r = runInChild([&] { InitImages(empty.path()); });
    EXPECT_EQ(1, r.exitCode);
    EXPECT_EQ(0u, r.output.find("Unable to load the stage " + empty.path() + "/tBG2.bmp"))
        << r.output;

    writeFile(empty / "tBG2.bmp", "BM but not really a bitmap");
    r = runInChild([&] { InitImages(empty.path()); });
    EXPECT_EQ(1, r.exitCode);
    EXPECT_NE(std::string::npos, r.output.find("Unable to load the stage")) << r.output;
}
