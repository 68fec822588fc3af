#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/testSupport.h"

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

// Loads a BMP as a 32-bit surface in the screen's pixel layout.
SDL_Surface* load32(const std::string& path) {
    SDL_Surface* raw = SDL_LoadBMP(path.c_str());
    if (!raw)
        return nullptr;
    SDL_Surface* out =
        SDL_CreateRGBSurface(0, raw->w, raw->h, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    SDL_BlitSurface(raw, nullptr, out, nullptr);
    SDL_FreeSurface(raw);
    return out;
}

// Position of each needle in order, or npos for the first one missing.
size_t findInOrder(const std::string& text, const std::vector<std::string>& needles,
                   std::string* missing) {
    size_t at = 0;
    for (const std::string& n : needles) {
        at = text.find(n, at);
        if (at == std::string::npos) {
            *missing = n;
            return at;
        }
        at += n.size();
    }
    return at;
}

struct GameRun {
    int exitCode = -1;
    std::string stdoutText;
    std::string log;
    std::string shot;
};

GameRun playOnce(const TempDir& work) {
    fs::copy(std::string(BRAWLER_SOURCE_DIR) + "/data", work / "data",
             fs::copy_options::recursive);
    std::string out = work / "out";
    ChildResult r = runCommand(std::string(BRAWLER_SOURCE_DIR) + "/tests/e2e/runGame.sh '" +
                               BRAWLER_BINARY + "' '" + work.path() + "' '" + out + "' 2");
    GameRun run;
    run.log = r.output;
    std::string code = readFile(out + "/exit");
    run.exitCode = code.empty() ? -1 : std::stoi(code);
    run.stdoutText = readFile(out + "/stdout.txt");
    run.shot = out + "/screen.bmp";
    return run;
}

} // namespace

// The real binary in a virtual display: window, stage on screen, Escape, exit code 0.
TEST(EndToEnd, GameShowsTheStageAndEndsOnEscape) {
    videoScreen(); // SDL_LoadBMP below needs SDL up; the dummy driver is enough here
    TempDir work;
    GameRun run = playOnce(work);
    ASSERT_EQ(0, run.exitCode) << run.log << "\n" << run.stdoutText;

    std::string missing;
    // Start-up order: the shell's two sheets, then the stage.
    std::vector<std::string> order = {"loading\n", "let me guess\n", "loading\n",
                                      "let me guess\n"};
    EXPECT_NE(std::string::npos, findInOrder(run.stdoutText, order, &missing))
        << "missing in order: " << missing << "\n"
        << run.stdoutText;

    SDL_Surface* shot = load32(run.shot);
    SDL_Surface* stage = load32(std::string(BRAWLER_SOURCE_DIR) + "/data/tBG2.bmp");
    ASSERT_NE(nullptr, shot) << run.log;
    ASSERT_NE(nullptr, stage);
    ASSERT_EQ(800, shot->w);
    ASSERT_EQ(600, shot->h);
    // Sky and distance carry no sprite: they must be the stage exactly. Over the whole
    // screen only the fighters may differ.
    long skyDiff = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 800; ++x)
            skyDiff += pixelAt(shot, x, y) != pixelAt(stage, x, y);
    EXPECT_EQ(0, skyDiff);
    long diff = differingPixels(shot, stage);
    EXPECT_LT(diff, 800L * 600L / 10) << "screenshot differs from the stage in " << diff
                                      << " pixels";
    SDL_FreeSurface(shot);
    SDL_FreeSurface(stage);
}
