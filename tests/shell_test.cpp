#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/game.h"
#include "shell/shell.h"
#include "tests/fighterData.h"
#include "tests/testSupport.h"

using namespace testsupport;

// A video driver that cannot start ends the game with code 1 (refused at init or at the
// mode switch, depending on the SDL build); missing audio only warns.
TEST(ShellStartUp, VideoIsNeededAudioIsNot) {
    for (const char* driver : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER"}) {
        ChildResult r = runInChild([&] {
            SDL_Quit(); // start from nothing, whatever earlier tests brought up
            setenv(driver, "no-such-driver", 1);
            sdlInit();
            printf("screen %dx%d\n", screen->w, screen->h);
        });
        if (driver[4] == 'V') {
            EXPECT_EQ(1, r.exitCode);
            EXPECT_TRUE(r.output.rfind("Unable to init SDL: ", 0) == 0 ||
                        r.output.rfind("Unable to set 800x600 video: ", 0) == 0)
                << r.output;
        } else {
            EXPECT_EQ(0, r.exitCode) << r.output;
            EXPECT_NE(std::string::npos,
                      r.output.find("Warning: Couldn't set 44100 Hz 16-bit audio\n- Reason: "))
                << r.output;
            EXPECT_NE(std::string::npos, r.output.find("screen 800x600")) << r.output;
        }
    }
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
}

namespace {

// Runs the real game from `dir` with the given environment changes (an `env` argument
// list), under a timeout so that a game that never stops fails the test instead of
// hanging it. Both output streams are captured.
ChildResult runGameIn(const std::string& dir, const std::string& envArgs) {
    return runCommand("cd '" + dir + "' && env " + envArgs + " timeout -k 2 10 '" + BRAWLER_BINARY +
                      "' --player Brawler 2>&1");
}

std::vector<std::string> problemLines(const std::string& output) {
    std::vector<std::string> lines;
    size_t at = 0;
    while ((at = output.find("brawler: ", at)) != std::string::npos) {
        size_t end = output.find('\n', at);
        lines.push_back(output.substr(at, end - at));
        at = end;
    }
    return lines;
}

} // namespace

// Without a display SDL quietly falls back to a driver that draws into memory; the game
// would run for ever with no window. It must say so and stop. A driver asked for by
// name is used as asked.
TEST(ShellStartUp, WithoutADisplayTheGameSaysSoAndStops) {
    TempDir work;
    std::filesystem::create_directory_symlink(std::string(BRAWLER_SOURCE_DIR) + "/data",
                                              work / "data");
    // No X or Wayland display, nor a runtime folder where SDL could find a Wayland one.
    const std::string noDisplay =
        "-u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy";
    ChildResult r = runGameIn(work.path(), noDisplay);
    EXPECT_EQ(1, r.exitCode) << r.output;
    std::vector<std::string> lines = problemLines(r.output);
    ASSERT_EQ(2u, lines.size()) << r.output;
    EXPECT_EQ(0u, lines[0].find("brawler: no display to show the game on: DISPLAY is not set, so "
                                "SDL fell back to its \""))
        << lines[0];
    EXPECT_NE(std::string::npos, lines[0].find("\" video driver, which shows nothing"));
    EXPECT_EQ("brawler: run the game in a desktop session, or set DISPLAY to a running X server "
              "(for example DISPLAY=:0 ./play); to run it without a window on purpose, set "
              "SDL_VIDEODRIVER=dummy",
              lines[1]);
    EXPECT_EQ(std::string::npos, r.output.find("loading")) << "stopped before any data";
    // Wayland's complaint about the runtime folder, met on the way, is not shown.
    EXPECT_EQ(std::string::npos, r.output.find("XDG_RUNTIME_DIR")) << r.output;

    // Asked for on purpose, the same driver gets as far as the data folder (missing
    // here, so that the game stops there).
    TempDir empty;
    r = runGameIn(empty.path(), noDisplay + " SDL_VIDEODRIVER=offscreen");
    EXPECT_EQ(1, r.exitCode) << r.output;
    EXPECT_EQ(std::string::npos, r.output.find("no display")) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("brawler: cannot find the data folder")) << r.output;
}

// Started outside the repository the game names the folder it looked for and where the
// game must be started from, before any loader complains about a missing file.
TEST(ShellStartUp, MissingDataFolderIsNamedFirst) {
    TempDir work;
    ChildResult r = runGameIn(work.path(), "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy");
    EXPECT_EQ(1, r.exitCode) << r.output;
    std::string cwd = std::filesystem::canonical(work.path()).string();
    EXPECT_EQ(
        std::vector<std::string>({"brawler: cannot find the data folder \"data\" (looked "
                                  "for " +
                                      cwd + "/data, relative to the working directory " + cwd + ")",
                                  "brawler: start the game from the folder that holds data/ "
                                  "(the top folder of the repository), or with ./play, which "
                                  "does that from anywhere"}),
        problemLines(r.output))
        << r.output;
    EXPECT_EQ(std::string::npos, r.output.find("ERROR opening file")) << r.output;
}

// With the trace sent to a file, standard error holds only the game's own lines: a
// sample that does not load is named by its path and the list line naming it, while
// the loader's outcome lines and the sound library's complaints go to the trace. (No
// stage, so that the game stops by itself once the sounds are loaded.)
TEST(ShellStartUp, StandardErrorHoldsOnlyTheGamesOwnLines) {
    TempDir work;
    std::filesystem::copy(std::string(BRAWLER_SOURCE_DIR) + "/data", work / "data",
                          std::filesystem::copy_options::recursive);
    std::filesystem::remove(work / "data/soundSet/whoosh.wav");
    std::filesystem::remove(work / "data/tBG2.bmp");
    ChildResult r = runCommand("cd '" + work.path() +
                               "' && { SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=alsa "
                               "AUDIODEV=no-such-device timeout 10 '" +
                               BRAWLER_BINARY + "' --player Brawler >trace.txt; }");
    EXPECT_EQ(1, r.exitCode);
    EXPECT_EQ(0u, r.output.find("brawler: warning: data/soundSet/sound:2: missing sound sample "
                                "data/soundSet/whoosh.wav — add the WAV or fix the name here; "
                                "the sound stays silent\nbrawler: cannot read the stage image"))
        << r.output;
    // Those two lines and nothing else.
    EXPECT_EQ(2, std::count(r.output.begin(), r.output.end(), '\n')) << r.output;
    std::string trace = readFile(work / "trace.txt");
    EXPECT_NE(std::string::npos, trace.find("/whoosh.wav\nCould not load myfile.wav\n")) << trace;
    EXPECT_NE(std::string::npos, trace.find("Unknown PCM no-such-device\n")) << trace;
}

// A character that lacks names the game asks for is warned about, one line per name,
// and the game still starts; one without any animation stops, naming the file.
TEST(ShellStartUp, CharacterLackingNamesIsWarnedAboutAndStillStarts) {
    TempDir dir;
    writeBMP(dir / "tBG2.bmp", 800, 600, {10, 120, 200});
    auto f = [] { return fighterdata::Frames{fighterdata::frame(20, 30, 10, 29, {})}; };
    fighterdata::writeCharacter(
        dir / "Brawler", {{"blank", f()}, {"walk", {}}, {"duck", f()}, {"inAir", f()}},
        {{{"jab"}, f()}, {{"hit1"}, f()}, {{"blockHi"}, f()}, {{"blockLo"}, f()}});
    // Empty but present, so that only the character has something to say.
    for (const char* sheet : {"run/info", "particle/fireball1/info"})
        writeFile(dir / sheet, "FILES: 0\n");
    for (const char* list : {"soundSet/sound", "Brawler/sound/sound"})
        writeFile(dir / list, "SOUNDS: 0\n");
    writeFile(dir / "particle/default", "PARTS: 0\n");
    std::string groups;
    for (int i = 0; i < 6; ++i)
        groups += "Attacks: 0\n";
    writeFile(dir / "Brawler/ai/attack", groups);
    auto start = [&] {
        SDL_Quit();
        sdlInit();
        Game game;
        game.dataRoot = dir.path();
        game.startUp();
        game.runPass();
        printf("\nSTARTED\n");
    };
    ChildResult r = runInChild(start);
    EXPECT_EQ(0, r.exitCode) << r.output;
    // One line per lacking name (their texts: AnimationSet.CharacterWarnings...), and
    // the folder that cannot be opened named as the loader meets it.
    std::string d = dir / "Brawler";
    std::vector<std::string> said = problemLines(r.output);
    ASSERT_EQ(4u, said.size()) << r.output;
    EXPECT_EQ(0u, said[0].find("brawler: warning: " + d + "/walk/info: missing folder "));
    for (size_t i = 1; i < said.size(); ++i)
        EXPECT_EQ(0u, said[i].find("brawler: warning: ")) << said[i];
    // After the character has loaded, before the game runs (the folder that cannot be
    // opened is named as the loader meets it).
    size_t warned = r.output.find("brawler: warning: animation");
    EXPECT_LT(r.output.rfind("Condition: ", warned), warned);
    EXPECT_LT(warned, r.output.find("\nSTARTED\n"));

    std::filesystem::remove(d + "/info");
    r = runInChild(start);
    EXPECT_EQ(1, r.exitCode) << r.output;
    EXPECT_EQ(std::vector<std::string>(
                  {"brawler: warning: " + d +
                       "/info: missing file — create it, or fix the name that points here",
                   "brawler: " + d + ": no animations loaded (" + d + "/info is missing)"}),
              problemLines(r.output))
        << r.output;
}
