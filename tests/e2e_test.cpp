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
    fs::copy(std::string(BRAWLER_SOURCE_DIR) + "/data", work / "data", fs::copy_options::recursive);
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

// The real binary in a virtual display: window, both fighters on the stage's ground
// line with no trail behind them, Escape, exit code 0.
TEST(EndToEnd, FightersLandOnTheStageAndEscapeEnds) {
    videoScreen(); // SDL_LoadBMP below needs SDL up; the dummy driver is enough here
    TempDir work;
    GameRun run = playOnce(work);
    ASSERT_EQ(0, run.exitCode) << run.log << "\n" << run.stdoutText;

    std::string missing;
    // Start-up order: the shell's two sheets, the character's animations and moves,
    // the input checker, the sound set, the joysticks and the particle definitions.
    std::vector<std::string> order = {"loading\n",
                                      "let me guess\n",
                                      "loading\n",
                                      "let me guess\n",
                                      "holy diver: blank\n",
                                      "ACTION COMMANDO\n",
                                      "Lets Rock!: hit1",
                                      "Loaded!",
                                      "Lets start this up",
                                      "A LIST TIME!!!",
                                      "B LIST TIME!!!",
                                      "C LIST TIME!!!",
                                      "====================\nB LIST\n====================\n",
                                      "making an Sset\n",
                                      "SOUND CLASS INITIATED!\n",
                                      "ANOTHER COUT LOL\nSOUND NAME: data/soundSet/",
                                      "ADDING TO SOUND SET, YAY!\n",
                                      "New Total is : ",
                                      "Sound - ",
                                      "0 joysticks were found.\n\n",
                                      "New Particle: fireball1 1\n",
                                      "GOOD SHIT\n",
                                      "New Particle: spark 2\n",
                                      "GOOD SHIT\n"};
    EXPECT_NE(std::string::npos, findInOrder(run.stdoutText, order, &missing))
        << "missing in order: " << missing << "\n"
        << run.stdoutText.substr(0, 4000);
    EXPECT_EQ(std::string::npos, run.stdoutText.find("ERROR opening file"));

    SDL_Surface* shot = load32(run.shot);
    SDL_Surface* stage = load32(std::string(BRAWLER_SOURCE_DIR) + "/data/tBG2.bmp");
    ASSERT_NE(nullptr, shot) << run.log;
    ASSERT_NE(nullptr, stage);
    ASSERT_EQ(800, shot->w);
    ASSERT_EQ(600, shot->h);
    // The fighters stand with their feet on the ground line at x = 50 and x = 550;
    // their 200x200 frames hang from an anchor 100 in and 190 down. Outside those two
    // rectangles the screen is the stage exactly: nothing left a trail on the way down.
    const int anchors[2] = {50, 550};
    long outside = 0;
    int lowest[2] = {-1, -1};
    long inside[2] = {0, 0};
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            bool differs = pixelAt(shot, x, y) != pixelAt(stage, x, y);
            int in = -1;
            for (int i = 0; i < 2; ++i)
                if (x >= anchors[i] - 100 && x < anchors[i] + 100 && y >= 340 && y < 540)
                    in = i;
            if (in < 0) {
                outside += differs;
            } else if (differs) {
                ++inside[in];
                lowest[in] = y;
            }
        }
    EXPECT_EQ(0, outside) << "pixels off the stage outside the fighters";
    for (int i = 0; i < 2; ++i) {
        EXPECT_GT(inside[i], 2000) << "fighter " << i << " is not drawn";
        EXPECT_GE(lowest[i], 524) << "fighter " << i << " does not reach the ground";
        EXPECT_LE(lowest[i], 532) << "fighter " << i << " sinks below the ground";
    }
    SDL_FreeSurface(shot);
    SDL_FreeSurface(stage);
}

// Ctrl-C or a TERM signal stops the game at once, although closing its window does not.
TEST(EndToEnd, TermSignalStopsTheGame) {
    TempDir work;
    fs::copy(std::string(BRAWLER_SOURCE_DIR) + "/data", work / "data", fs::copy_options::recursive);
    // timeout sends TERM after 2 s and answers 124 when that ended the game, 137 when
    // it had to KILL it 5 s later.
    ChildResult r = runCommand("cd '" + work.path() +
                               "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout -k 5 2 '" +
                               BRAWLER_BINARY + "' >/dev/null; echo \"exit=$?\"");
    EXPECT_NE(std::string::npos, r.output.find("exit=124")) << r.output;
}
