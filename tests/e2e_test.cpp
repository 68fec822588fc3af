#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <regex>
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
    std::string out; // folder of the screenshots and the audio
};

// Plays the game with `steps`; `env` goes before the command (the game's options go in
// BRAWLER_ARGS), the classic game unless it says otherwise.
GameRun play(const TempDir& work, const std::vector<std::string>& steps,
             const std::string& env = "BRAWLER_ARGS=--classic",
             const std::string& binary = BRAWLER_BINARY) {
    if (!fs::exists(work / "data"))
        fs::copy(std::string(BRAWLER_SOURCE_DIR) + "/data", work / "data",
                 fs::copy_options::recursive);
    GameRun run;
    run.out = work / "out";
    std::string command = env + " " + std::string(BRAWLER_SOURCE_DIR) + "/tests/e2e/runGame.sh '" +
                          binary + "' '" + work.path() + "' '" + run.out + "'";
    for (const std::string& step : steps)
        command += " '" + step + "'";
    ChildResult r = runCommand(command);
    run.log = r.output;
    std::string code = readFile(run.out + "/exit");
    run.exitCode = code.empty() ? -1 : std::stoi(code);
    run.stdoutText = readFile(run.out + "/stdout.txt");
    return run;
}

// Every colour of every frame image in the sheet folders below `folder`, the key
// colour (magenta) left out.
std::set<uint32_t> paletteOf(const std::string& folder) {
    std::set<uint32_t> colours;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".bmp")
            continue;
        SDL_Surface* s = load32(entry.path().string());
        if (!s)
            continue;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                colours.insert(pixelAt(s, x, y));
        SDL_FreeSurface(s);
    }
    colours.erase(0xff00ff);
    return colours;
}

// Pixels of the screenshot that differ from the stage and that `wanted(x, y, colour)`.
long changedPixels(const std::string& shotPath,
                   const std::function<bool(int, int, uint32_t)>& wanted) {
    SDL_Surface* shot = load32(shotPath);
    SDL_Surface* stage = load32(std::string(BRAWLER_SOURCE_DIR) + "/data/tBG2.bmp");
    long n = 0;
    for (int y = 0; shot && stage && y < shot->h; ++y)
        for (int x = 0; x < shot->w; ++x) {
            uint32_t c = pixelAt(shot, x, y);
            n += c != pixelAt(stage, x, y) && wanted(x, y, c);
        }
    SDL_FreeSurface(shot);
    SDL_FreeSurface(stage);
    return n;
}

long pixelsOf(const std::string& shotPath, const std::set<uint32_t>& colours) {
    return changedPixels(shotPath, [&](int, int, uint32_t c) { return colours.count(c) > 0; });
}

// The loudest 16-bit sample the game sent to the sound device.
int loudestSample(const std::string& rawPath) {
    std::string raw = readFile(rawPath);
    int loudest = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
        int16_t v = static_cast<int16_t>(static_cast<uint8_t>(raw[i]) |
                                         (static_cast<uint8_t>(raw[i + 1]) << 8));
        loudest = std::max(loudest, std::abs(static_cast<int>(v)));
    }
    return loudest;
}

} // namespace

// The real binary in a virtual display, played with real key events: walking, a jump,
// the fireball command, the debug overlay and the attack buttons, then Escape.
TEST(EndToEnd, APlayedSessionShowsTheFireballTheOverlayAndIsHeard) {
    videoScreen(); // SDL_LoadBMP below needs SDL up; the dummy driver is enough here
    TempDir work;
    // The fireball first, while the opponent is still far away and the player faces it;
    // shots at three moments, since on a loaded machine the projectile may leave the
    // hand late and one of them must show it in flight. The opponent walks in at once
    // and the fireball is spent on it within half a second, so the shots come early.
    GameRun run = play(work, {"sleep:0.4",  "key:Down",       "key:Right",      "key:z",
                              "sleep:0.12", "shot:fireball0", "sleep:0.05",     "shot:fireball1",
                              "sleep:0.05", "shot:fireball2", "hold:Right:0.4", "key:Up",
                              "sleep:0.6",  "key:j",          "sleep:0.3",      "shot:overlay",
                              "key:j",      "key:x",          "sleep:0.6",      "key:c",
                              "sleep:0.8",  "key:Escape"});
    ASSERT_EQ(0, run.exitCode) << run.log << "\n" << run.stdoutText.substr(0, 2000);

    // The start-up order is the golden trace's (GoldenTrace.*); here, that the game ran.
    EXPECT_NE(std::string::npos, run.stdoutText.find("making an Sset\n"));
    EXPECT_EQ(std::string::npos, run.stdoutText.find("ERROR opening file"));
    // What the keys did, after the start-up: the fireball command and its projectile,
    // a jump, the attack buttons, and the sounds of the moves.
    size_t played = run.stdoutText.find("\tAttack 0: airKick");
    ASSERT_NE(std::string::npos, played);
    for (const char* line :
         {"searched DRA|| Against DRA", "Have Move - fireball!", "BIT[0]: fireball1", "inAir\n",
          "Ready are we? with B", "Have Move - strike!", "SOUND PLAYING", "punch ended"})
        EXPECT_NE(std::string::npos, run.stdoutText.find(line, played)) << line;

    std::set<uint32_t> fireball =
        paletteOf(std::string(BRAWLER_SOURCE_DIR) + "/data/particle/fireball1");
    for (uint32_t c : paletteOf(std::string(BRAWLER_SOURCE_DIR) + "/data/Brawler"))
        fireball.erase(c);
    ASSERT_FALSE(fireball.empty());
    long fireballPixels = 0;
    for (const char* shot : {"/fireball0.bmp", "/fireball1.bmp", "/fireball2.bmp"})
        fireballPixels = std::max(fireballPixels, pixelsOf(run.out + shot, fireball));
    EXPECT_GT(fireballPixels, 50) << "no fireball on the screen";
    // The overlay fills each body box in this yellow.
    EXPECT_GT(pixelsOf(run.out + "/overlay.bmp", {0xffcc00}), 2000) << "no boxes on the screen";
    EXPECT_GT(loudestSample(run.out + "/audio.raw"), 1000) << "nothing was heard";
}

long changedIn(const std::string& shotPath, int x0, int y0, int x1, int y1) {
    return changedPixels(
        shotPath, [=](int x, int y, uint32_t) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

// A one-round match with real keys, both sides starting at 1 hit point so the first
// blow decides it: the HUD shows, a knockout ends the round and the match, its banner
// is on the screen, Enter starts a rematch and Escape ends the game.
TEST(EndToEnd, AMatchIsWonByKnockoutAndEnterStartsAnother) {
    videoScreen();
    TempDir work;
    std::vector<std::string> steps = {"sleep:1.7", "shot:fight", "hold:Right:0.8"};
    for (int i = 0; i < 6; ++i)
        for (const char* k : {"key:z", "sleep:0.25", "key:x", "sleep:0.25", "key:Down", "key:Right",
                              "key:z", "sleep:0.3"})
            steps.push_back(k);
    for (const char* k :
         {"sleep:4.5", "shot:over", "key:Return", "sleep:0.4", "shot:rematch", "key:Escape"})
        steps.push_back(k);
    GameRun run = play(work, steps,
                       "BRAWLER_ARGS='--rounds 1 --player Brawler --record match.replay' "
                       "BRAWLER_TEST_START_HP=1");
    ASSERT_EQ(0, run.exitCode) << run.log;
    std::string missing;
    // The match's replay, played headless, ends as the window did: the same state, rounds
    // and hit points.
    ChildResult replayed =
        runCommand("cd '" + work.path() + "' && " + RUNNER_BINARY + " --replay match.replay");
    ASSERT_EQ(0, replayed.exitCode) << replayed.output;
    std::smatch ended;
    ASSERT_TRUE(std::regex_search(run.stdoutText, ended,
                                  std::regex("replay: saved match.replay: (.*); hit points: "
                                             "(.*)\n")))
        << run.stdoutText;
    EXPECT_NE(std::string::npos, replayed.output.find("match: " + ended[1].str() + "\n"))
        << replayed.output;
    EXPECT_NE(std::string::npos, replayed.output.find("hit points: " + ended[2].str() + "\n"))
        << replayed.output;
    // And watched in the window at four times the speed, it plays the same match, its
    // rematch included, with Space pausing and Right stepping.
    GameRun watched = play(
        work,
        {"sleep:0.5", "key:4", "sleep:4.5", "key:space", "key:Right", "shot:watched", "key:Escape"},
        "BRAWLER_ARGS='--replay match.replay'");
    ASSERT_EQ(0, watched.exitCode) << watched.log;
    EXPECT_NE(std::string::npos,
              findInOrder(watched.stdoutText,
                          {"replay: watching match.replay", "replay: speed 4\n", "round 1: fight\n",
                           "wins by knockout\n", "match: rematch\n", "paused\n"},
                          &missing))
        << "missing in order: " << missing;
    EXPECT_EQ(std::string::npos, watched.stdoutText.find("replay: saved"));
    EXPECT_NE(std::string::npos,
              findInOrder(run.stdoutText,
                          {"match: best of 1 rounds\n", "round 1: fight\n", "wins by knockout\n",
                           "match: ", " wins 1-0\n", "match: rematch\n"},
                          &missing))
        << "missing in order: " << missing;
    // The bars, names and timer across the top; the banner in the middle.
    EXPECT_GT(changedIn(run.out + "/fight.bmp", 0, 0, 800, 70), 10000) << "no HUD";
    EXPECT_GT(changedIn(run.out + "/over.bmp", 200, 190, 600, 260), 1500) << "no winner's banner";
    EXPECT_GT(changedIn(run.out + "/rematch.bmp", 200, 190, 600, 260), 1500) << "no ROUND 1";
}

// The pause menu with real keys: p shows it over the fight, MOVE LIST shows the Brawler's
// commands as coloured buttons and arrows, Escape goes back, RESTART starts round 1 again
// with the menu gone; the match's replay restarts at the same step when played headless.
TEST(EndToEnd, ThePauseMenuShowsTheMoveListAndRestarts) {
    TempDir work;
    GameRun run = play(work,
                       {"sleep:3", "key:p", "sleep:0.3", "shot:menu", "key:Down", "key:Return",
                        "sleep:0.4", "shot:moves", "key:Escape", "key:Down", "key:Return",
                        "sleep:0.5", "shot:restarted", "key:Escape"},
                       "BRAWLER_ARGS='--player Brawler --opponent Basalt --record match.replay'");
    ASSERT_EQ(0, run.exitCode) << run.log;
    std::string missing;
    EXPECT_NE(std::string::npos,
              findInOrder(run.stdoutText,
                          {"round 1: fight\n", "paused\n", "pause: move list\n", "resumed\n",
                           "match: restart\n", "replay: saved match.replay: intro in round 1"},
                          &missing))
        << "missing in order: " << missing;
    // The menu's red cursor bar, the move list's A (red), B (blue) and C (green) buttons.
    auto colour = [](uint32_t want) { return [want](int, int, uint32_t c) { return c == want; }; };
    EXPECT_GT(changedPixels(run.out + "/menu.bmp", colour(0x7a1c14)), 5000) << "no menu";
    for (uint32_t button : {0xd83a2au, 0x2a6ad8u, 0x2aa84au})
        EXPECT_GT(changedPixels(run.out + "/moves.bmp", colour(button)), 300) << button;
    EXPECT_EQ(0, changedPixels(run.out + "/restarted.bmp", colour(0x7a1c14))) << "menu left";
    ChildResult replayed = runCommand("cd '" + work.path() + "' && " + RUNNER_BINARY +
                                      " --trace --replay match.replay");
    ASSERT_EQ(0, replayed.exitCode) << replayed.output;
    EXPECT_NE(std::string::npos, replayed.output.find("match: restart\n")) << replayed.output;
}

// The game as a new player meets it, started with no options: the title, the main menu,
// Options (the first player's A moved from z to q, one round, the computer at level 1),
// Arcade through the select screen to a match won with q as A, back to the menu, the
// match among the replays, and Quit from the title.
TEST(EndToEnd, FromTheTitleThroughOptionsToAWonMatchAndBack) {
    TempDir work;
    std::vector<std::string> steps = {"sleep:0.8", "shot:title", "key:Return", "sleep:0.3"};
    auto press = [&](const char* key, int times) {
        for (int i = 0; i < times; ++i)
            steps.push_back(std::string("key:") + key);
    };
    press("Down", 5); // OPTIONS
    for (const char* k : {"key:Return", "sleep:0.3", "shot:options", "key:Return"})
        steps.push_back(k);
    press("Down", 4); // 1P KEYS: A
    for (const char* k : {"key:Return", "key:q", "sleep:0.3", "shot:keys", "key:Escape"})
        steps.push_back(k);
    press("Down", 6); // ROUNDS: 3 to 1
    press("Left", 1);
    press("Down", 2); // CPU LEVEL: 4 to 1
    press("Left", 3);
    for (const char* k : {"key:Escape", "sleep:0.3"})
        steps.push_back(k);
    press("Up", 5); // ARCADE
    for (const char* k : {"key:Return", "sleep:0.5", "key:Return", "sleep:1.8"})
        steps.push_back(k);
    // Fireballs (down, forward, A) from where the player stands, z pressed in vain. The
    // directions are held a few steps each: a tap that comes and goes between two passes
    // of a loaded machine is never seen held.
    for (int i = 0; i < 8; ++i)
        for (const char* k : {"key:z", "hold:Down:0.06", "hold:Right:0.06", "key:q", "sleep:0.3"})
            steps.push_back(k);
    for (const char* k : {"sleep:3.5", "shot:won", "key:Escape", "sleep:0.5"})
        steps.push_back(k);
    press("Down", 4); // REPLAYS
    for (const char* k : {"key:Return", "sleep:0.5", "shot:replays", "key:Escape", "sleep:0.2",
                          "key:Escape", "sleep:0.3", "key:Escape", "sleep:0.2", "key:Return"})
        steps.push_back(k);
    std::string home = work.path();
    GameRun run = play(work, steps,
                       "XDG_CONFIG_HOME='" + home + "/config' XDG_DATA_HOME='" + home +
                           "/share' BRAWLER_ARGS='' BRAWLER_TEST_START_HP=1");
    ASSERT_EQ(0, run.exitCode) << run.log;
    std::string missing;
    EXPECT_NE(
        std::string::npos,
        findInOrder(run.stdoutText,
                    {"screen: title\n", "screen: menu\n", "screen: options\n", "options: saved",
                     "screen: select\n", "match: best of 1 rounds\n", "round 1: fight\n",
                     "fireball", "round 1: player wins by knockout\n", "match: player wins 1-0\n",
                     "match: back to the menu\n", "replay: saved", "screen: menu\n",
                     "screen: replays\n", "screen: menu\n", "screen: title\n"},
                    &missing))
        << "missing in order: " << missing << "\n"
        << std::regex_replace(run.stdoutText,
                              std::regex("^(?!screen|select|match|round|options|replay).*\n",
                                         std::regex::multiline),
                              "");
    // The replay kept says how the match ended, for the Replays page.
    std::string replays;
    for (const auto& f : fs::directory_iterator(home + "/share/brawler/replays"))
        replays += readFile(f.path().string());
    EXPECT_NE(std::string::npos, replays.find("\nresult player 1-0\n")) << replays.substr(0, 300);
    std::string controls = readFile(home + "/config/brawler/controls");
    EXPECT_NE(std::string::npos, controls.find("1p.a = q\n")) << controls;
    std::string settings = readFile(home + "/config/brawler/settings");
    EXPECT_NE(std::string::npos, settings.find("rounds = 1\n")) << settings;
    EXPECT_NE(std::string::npos, settings.find("cpu = 1\n")) << settings;
    // The title's logo, the Options and Replays panels, and the winner's banner.
    EXPECT_GT(changedIn(run.out + "/title.bmp", 100, 40, 700, 300), 50000) << "no title picture";
    EXPECT_GT(changedIn(run.out + "/won.bmp", 200, 190, 600, 260), 1500) << "no winner's banner";
    EXPECT_GT(changedIn(run.out + "/replays.bmp", 100, 160, 700, 200), 3000) << "no replay listed";
}

// A controls file that moves the first player's A from z to q, with real keys: z
// presses nothing any more; after a jump (a mark in the trace) q presses A once and the
// jab comes out.
TEST(EndToEnd, AControlsFileMovesAKey) {
    TempDir work;
    writeFile(work / "keys", "1p.a = q\n");
    GameRun run = play(work,
                       {"sleep:0.5", "key:z", "sleep:0.4", "key:Up", "sleep:1.2", "key:q",
                        "sleep:0.5", "key:Escape"},
                       "BRAWLER_ARGS='--classic --controls keys'");
    ASSERT_EQ(0, run.exitCode) << run.log;
    size_t played = run.stdoutText.find("\tAttack 0: airKick");
    std::string afterStart = run.stdoutText.substr(played == std::string::npos ? 0 : played);
    // Every press of A searches the moves ending in A, the fireball's first.
    size_t jump = afterStart.find("inAir\n");
    size_t press = afterStart.find("searched DRA|| Against");
    EXPECT_NE(std::string::npos, press);
    EXPECT_LT(jump, press) << "z pressed A";
    EXPECT_EQ(std::string::npos, afterStart.find("searched DRA|| Against", press + 1));
    EXPECT_NE(std::string::npos, afterStart.find("Have Move - jab!", press));
    EXPECT_EQ("", readFile(run.out + "/stderr.txt"));
}

// The select screen with real keys: both characters stand on it; in versus the first
// player moves from the Brawler to Basalt and picks him, the second moves away from the
// Brawler and back and picks him, and
// the match between
// them starts with each in their own colours on their own side.
TEST(EndToEnd, TheSelectScreenPicksTwoDifferentFighters) {
    videoScreen();
    TempDir work;
    GameRun run = play(work,
                       {"sleep:1", "shot:select", "key:Left", "key:z", "key:a", "key:d", "key:f",
                        "sleep:2.5", "shot:fight", "key:Escape"},
                       "BRAWLER_ARGS=--versus");
    ASSERT_EQ(0, run.exitCode) << run.log;
    std::string missing;
    EXPECT_NE(std::string::npos,
              findInOrder(run.stdoutText,
                          {"select: player picks Basalt\n", "select: opponent picks Brawler\n",
                           "match: best of 3 rounds\n"},
                          &missing))
        << "missing in order: " << missing;
    std::string data = std::string(BRAWLER_SOURCE_DIR) + "/data";
    std::set<uint32_t> basalt = paletteOf(data + "/Basalt/standing");
    std::set<uint32_t> brawler = paletteOf(data + "/Brawler/standing");
    for (uint32_t c : brawler)
        basalt.erase(c);
    auto onSide = [&](const std::string& shot, const std::set<uint32_t>& colours, bool left) {
        return changedPixels(shot, [&](int x, int, uint32_t c) {
            return (x < 400) == left && colours.count(c) > 0;
        });
    };
    EXPECT_GT(onSide(run.out + "/select.bmp", basalt, true), 500) << "no Basalt to pick";
    EXPECT_GT(onSide(run.out + "/select.bmp", brawler, false), 500) << "no Brawler to pick";
    EXPECT_GT(onSide(run.out + "/fight.bmp", basalt, true), 500) << "the player is not Basalt";
    EXPECT_EQ(0, onSide(run.out + "/fight.bmp", basalt, false)) << "Basalt on both sides";
}

// Pixels of `small` that differ from the pixel at twice the place in `large`.
long scaledDifference(const std::string& small, const std::string& large) {
    SDL_Surface* a = load32(small);
    SDL_Surface* b = load32(large);
    long n = a && b && b->w == 2 * a->w && b->h == 2 * a->h ? 0 : -1;
    for (int y = 0; n >= 0 && y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            n += pixelAt(a, x, y) != pixelAt(b, 2 * x + 1, 2 * y + 1);
    SDL_FreeSurface(a);
    SDL_FreeSurface(b);
    return n;
}

// The same moment of a match (the runner's virtual clock) in a window at scale 1 and at
// scale 2: the large picture is the small one with every pixel doubled. Then the real
// game under a window manager: F11 fills the screen and F11 again gives back the window
// with the paused scene to the pixel.
TEST(EndToEnd, ScaledAndFullscreenWindowsShowTheSamePicture) {
    videoScreen();
    TempDir work;
    writeFile(work / "fight.fight", "mode match\nend 2500\n");
    std::string shots[2];
    for (int scale : {1, 2}) {
        GameRun run = play(work, {"sleep:1", "shot:still"},
                           "XVFB_SCREEN=1700x1300x24 BRAWLER_ARGS='--window --hold 4000 --scale " +
                               std::to_string(scale) + " fight.fight'",
                           RUNNER_BINARY);
        ASSERT_EQ(0, run.exitCode) << run.log;
        shots[scale - 1] = work / ("still" + std::to_string(scale) + ".bmp");
        fs::rename(run.out + "/still.bmp", shots[scale - 1]);
        fs::remove_all(run.out);
    }
    EXPECT_EQ(0, scaledDifference(shots[0], shots[1]));

    GameRun run = play(work,
                       {"sleep:2", "key:p", "sleep:0.3", "shot:window", "key:F11", "sleep:1",
                        "shot:full", "key:F11", "sleep:1", "shot:back", "key:Escape"},
                       "XVFB_WM=1 BRAWLER_ARGS='--player Brawler'");
    ASSERT_EQ(0, run.exitCode) << run.log;
    SDL_Surface* window = load32(run.out + "/window.bmp");
    SDL_Surface* full = load32(run.out + "/full.bmp");
    SDL_Surface* back = load32(run.out + "/back.bmp");
    ASSERT_TRUE(window && full && back);
    EXPECT_EQ(1024, full->w) << "fullscreen fills the 1024x768 screen";
    EXPECT_EQ(0, differingPixels(window, back));
    for (SDL_Surface* s : {window, full, back})
        SDL_FreeSurface(s);
}

// Closing the window as a window manager does when its close button is clicked.
TEST(EndToEnd, ClosingTheWindowEndsTheGame) {
    TempDir work;
    GameRun run = play(work, {"sleep:1.0", std::string("close:") + CLOSE_WINDOW_BINARY});
    EXPECT_EQ(0, run.exitCode) << run.log;
}

// Ctrl-C or a TERM signal stops the game within a pass, and the trace it had buffered
// is written out first: a log of a stopped game is complete.
TEST(EndToEnd, TermSignalStopsTheGameWithItsTraceWritten) {
    TempDir work;
    fs::copy(std::string(BRAWLER_SOURCE_DIR) + "/data", work / "data", fs::copy_options::recursive);
    // timeout sends TERM after 2 s and answers 124 when that ended the game, 137 when
    // it had to KILL it 5 s later.
    ChildResult r = runCommand("cd '" + work.path() +
                               "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout -k 5 2 '" +
                               BRAWLER_BINARY + "' --player Brawler >trace.txt; echo \"exit=$?\"");
    EXPECT_NE(std::string::npos, r.output.find("exit=124")) << r.output;
    std::string trace = readFile(work / "trace.txt");
    // The last line of the start-up, the opponent's attack table, is in the log.
    EXPECT_NE(std::string::npos, trace.find("\tAttack 0: airKick\tRange: S\n"))
        << trace.substr(trace.size() > 2000 ? trace.size() - 2000 : 0);
}

// A TERM that arrives while the game is still starting (here: held up reading the first
// sheet, a pipe that gives its text only after the signal) stops it after that step,
// with what it traced so far written out, instead of loading on and playing a pass.
TEST(EndToEnd, TermSignalDuringStartUpStopsItThere) {
    TempDir work;
    fs::copy(std::string(BRAWLER_SOURCE_DIR) + "/data", work / "data", fs::copy_options::recursive);
    fs::rename(work / "data/run/info", work / "run-info");
    // Opening the pipe for writing waits until the game opens it to read, so the signal
    // comes mid start-up; the timeout and the watch loop bound a game that does not stop.
    writeFile(work / "stop.sh",
              "mkfifo data/run/info\n"
              "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \"$1\" --player Brawler >trace.txt "
              "2>/dev/null &\n"
              "game=$!\n"
              "timeout 20 sh -c \"exec 3>data/run/info; kill -TERM $game; cat run-info >&3\"\n"
              "for i in $(seq 100); do kill -0 $game 2>/dev/null || break; sleep 0.1; done\n"
              "kill -KILL $game 2>/dev/null\n"
              "wait $game\n"
              "echo \"exit=$?\"\n");
    ChildResult r = runCommand("cd '" + work.path() + "' && bash stop.sh '" + BRAWLER_BINARY + "'");
    EXPECT_NE(std::string::npos, r.output.find("exit=143")) << r.output;
    std::string trace = readFile(work / "trace.txt");
    // The sheet's first trace line was written out; nothing loaded after it.
    EXPECT_EQ(0u, trace.find("loading\n")) << trace;
    EXPECT_EQ(std::string::npos, trace.find("fireball1")) << trace;
}

// A --scale too large for the screen falls back to one that fits, and says so; a window
// destroyed by another program, or the game's link to the display killed, ends the game
// as its close button does: exit code 0 and the match's replay kept.
TEST(EndToEnd, AWindowThatDoesNotFitOrIsDestroyedEndsInOrder) {
    videoScreen();
    TempDir work;
    for (const char* ending : {"destroy", "kill"}) {
        SCOPED_TRACE(ending);
        std::string replay = work / (std::string(ending) + ".replay");
        GameRun run = play(work, {"sleep:1.5", "shot:small", ending},
                           "XVFB_SCREEN=1280x1024x24 BRAWLER_ARGS='--scale 2 --player Brawler "
                           "--record " +
                               replay + "'");
        EXPECT_EQ(0, run.exitCode) << run.log << readFile(run.out + "/stderr.txt");
        EXPECT_EQ(0u, readFile(run.out + "/stderr.txt")
                          .find("brawler: --scale 2 does not fit the 1280x1024 screen; using 1\n"));
        SDL_Surface* shot = load32(run.out + "/small.bmp");
        ASSERT_NE(nullptr, shot);
        EXPECT_EQ(800, shot->w);
        EXPECT_EQ(600, shot->h);
        SDL_FreeSurface(shot);
        EXPECT_NE(std::string::npos, run.stdoutText.find("replay: saved " + replay))
            << run.stdoutText;
        fs::remove_all(run.out);
    }
}
