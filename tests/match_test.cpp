#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fighter/characterRoster.h"
#include "match/damageTrail.h"
#include "particles/particle.h"
#include "platform/debugOverlay.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/selectScreen.h"
#include "shell/shell.h"
#include "sprite/colourSwap.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

FightSummary runScript(const std::string& text, FightRunner& runner, std::string* out = nullptr) {
    screen = videoScreen();
    FightScript script;
    script.name = "match-test.fight";
    std::string error;
    EXPECT_TRUE(script.parse(text, &error)) << error;
    FightSummary summary;
    std::string trace = captureStdout([&] { summary = runner.run(script); });
    if (out)
        *out = trace;
    for (const std::string& f : runner.failures)
        ADD_FAILURE() << f;
    return summary;
}

void cover(std::vector<bool>& mask, int x, int y, int w, int h) {
    for (int j = std::max(y, 0); j < std::min(y + h, 600); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, 800); ++i)
            mask[j * 800 + i] = true;
}

// Pixels outside everything the pass shows (fighters, particles, HUD parts) that differ
// from the stage: leftovers of something that moved or changed.
long strayPixels(Game& game) {
    std::vector<bool> mask(800 * 600, false);
    for (const Fighter* f : {&game.vikings1, &game.fighter2})
        cover(mask, f->bgX, f->bgY, f->bgW, f->bgH);
    for (particleNode* n = game.pList.head; n; n = n->next)
        cover(mask, n->part->sprite.bgX, n->part->sprite.bgY, n->part->sprite.bgW,
              n->part->sprite.bgH);
    for (int p = 0; p < hud::partCount; ++p) {
        SDL_Rect r = game.match->display.partRect(p);
        cover(mask, r.x, r.y, r.w, r.h);
    }
    // Both are 32-bit software surfaces in the display's format: rows compare in place.
    long stray = 0;
    for (int y = 0; y < 600; ++y) {
        auto shown = reinterpret_cast<const Uint32*>(static_cast<Uint8*>(screen->pixels) +
                                                     y * screen->pitch);
        auto stage =
            reinterpret_cast<const Uint32*>(static_cast<Uint8*>(back->pixels) + y * back->pitch);
        for (int x = 0; x < 800; ++x)
            stray += !mask[y * 800 + x] && shown[x] != stage[x];
    }
    return stray;
}

uint64_t fileHash(const std::string& path) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : readFile(path)) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// Pixels inside a fighter's rectangle whose colour is one that palette2 puts on.
long secondColourPixels(const Fighter& f, const colourSwap& swap) {
    long n = 0;
    for (int y = std::max(f.bgY, 0); y < std::min(f.bgY + f.bgH, 600); ++y)
        for (int x = std::max(f.bgX, 0); x < std::min(f.bgX + f.bgW, 800); ++x) {
            Uint8 rgb[3];
            SDL_GetRGB(pixelAt(screen, x, y), screen->format, &rgb[0], &rgb[1], &rgb[2]);
            for (const colourPair& p : swap.pairs())
                n += std::equal(rgb, rgb + 3, p.to);
        }
    return n;
}

} // namespace

// A busy match over three rounds (a random player against the opponent, knockouts,
// banners coming and going, the timer and the bars changing): at every sampled pass the
// screen is the stage wherever no fighter, particle or HUD part is, and the window shows
// exactly the screen drawn on.
TEST(Match, SceneLeavesNothingBehindWhatItShows) {
    FightRunner runner;
    runner.keepShadow = true;
    long sampled = 0, stray = 0, mismatches = 0;
    std::vector<std::string> states;
    runner.afterPass = [&](long passMs, Game& game) {
        debugging = false;
        if (states.empty() || states.back() != game.match->stateName())
            states.push_back(game.match->stateName());
        if (passMs % 77 != 0)
            return;
        // The mirror match: the opponent, not the player, wears the second colours.
        if (passMs == 77 * 20) {
            colourSwap swap;
            swap.load(kData + "/Brawler/palette2");
            EXPECT_GT(secondColourPixels(game.fighter2, swap), 500);
            EXPECT_EQ(0, secondColourPixels(game.vikings1, swap));
        }
        ++sampled;
        stray += strayPixels(game);
        if (differingPixels(game.presenter.shadow(), screen) != 0)
            ++mismatches;
    };
    // The first computer's match (rules 1): the knockouts fall where the states below
    // expect them, whoever the computer is today.
    runScript("data " + kData +
                  "\nmode match\nrules 1\nseed 5\nrandom-input\nend 16000\n"
                  "at 4000 set opponent hp 30\nat 10000 set player hp 0\n",
              runner);
    EXPECT_GT(sampled, 150);
    EXPECT_EQ(0, stray) << "pixels left behind over " << sampled << " sampled passes";
    EXPECT_EQ(0, mismatches);
    EXPECT_EQ((std::vector<std::string>{"intro", "fight", "ko", "intro", "fight", "ko", "intro",
                                        "fight"}),
              states);
}

// The classic game is the endless fight it always was: no HUD, and the very picture the
// game drew before the match existed (this hash is of that game's shot of the same pass).
// The match's picture is held the same way, so a HUD part that moves by a pixel shows;
// a deliberate change of its art or layout records the new hash here.
TEST(Match, ClassicAndMatchDrawThePicturesTheyAlwaysDrew) {
    TempDir dir;
    FightRunner runner;
    runScript("data " + kData + "\nseed 5\nrandom-input\nat 20000 shot " + (dir / "c.bmp") + "\n",
              runner);
    EXPECT_EQ(0x20d84bfe12e21b74ull, fileHash(dir / "c.bmp"));
    // And the match's own picture of a knockout: both bars, the damage just taken, the
    // timer, the names, a won round's marker and the banner, each where it belongs. The
    // fight is played by the match's first rules, so that the computer's growing skill
    // leaves this picture of the HUD alone.
    runScript("data " + kData +
                  "\nmode match\nrules 1\nseed 5\nrandom-input\nat 3000 set player hp 640\n"
                  "at 4000 set opponent hp 0\nat 4200 shot " +
                  (dir / "m.bmp") + "\n",
              runner);
    EXPECT_EQ(0xbbb765c19c9edb0eull, fileHash(dir / "m.bmp"));
}

// The keys as a player presses them, queued before the screen reads any.
void pressKeys(std::initializer_list<SDLKey> keys) {
    for (SDLKey key : keys) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = key;
        SDL_PushEvent(&e);
    }
}

uint64_t screenHash(SDL_Surface* s) {
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            h ^= pixelAt(s, x, y);
            h *= 1099511628211ull;
        }
    return h;
}

void pushPad(Uint8 type, int which, int what, int value) {
    SDL_Event e{};
    if (type == SDL_JOYAXISMOTION)
        e.jaxis = {type, Uint8(which), Uint8(what), Sint16(value)};
    else
        e.jbutton = {type, Uint8(which), Uint8(what), SDL_PRESSED};
    SDL_PushEvent(&e);
}

// Two players pick with their own keys, both cursors starting on the Brawler; the screen
// shows both fighters, names, tags and each player's keys (held by a hash). Against the
// computer its pick follows at once; a pad chooses with stick and buttons; after a match
// the cursors start on the last picks; Escape leaves without a fight.
TEST(Match, SelectScreenPicksBothFightersAndEscapeLeaves) {
    screen = videoScreen();
    const std::vector<std::string> roster = listCharacters(kData);
    ASSERT_EQ((std::vector<std::string>{"Basalt", "Brawler"}), roster);
    controlsConfig keys;
    auto load = [&](selectScreen& select) {
        bool loaded = false;
        captureStdout([&] { loaded = select.load(kData, roster); });
        EXPECT_TRUE(loaded);
    };
    auto runSelect = [&](selectScreen& select, const controlsConfig& with, bool versus,
                         std::string* trace = nullptr) {
        if (select.broken().empty())
            load(select);
        bool fight = false;
        std::string said = captureStdout([&] { fight = select.run(screen, with, versus); });
        if (trace)
            *trace = said;
        return fight;
    };
    {
        selectScreen versus;
        pressKeys({SDLK_z, SDLK_a, SDLK_f});
        std::string trace;
        EXPECT_TRUE(runSelect(versus, keys, true, &trace));
        EXPECT_EQ("Brawler", versus.picked[0]);
        EXPECT_EQ("Basalt", versus.picked[1]);
        EXPECT_EQ("screen: select\nselect: player picks Brawler\nselect: opponent picks Basalt\n",
                  trace);
        EXPECT_EQ(0xbc2c3dda622b0765ull, screenHash(screen));
    }
    {
        selectScreen computer;
        pressKeys({SDLK_RETURN});
        EXPECT_TRUE(runSelect(computer, keys, false));
        EXPECT_EQ("Brawler", computer.picked[0]);
        EXPECT_NE("", computer.picked[1]);
    }
    {
        // The second player on pad 0: a held stick moves one place, B takes the pick back.
        controlsConfig padded;
        padded.players[1].joystickIndex = 0;
        selectScreen pad;
        load(pad);
        pad.startOn(0, "Basalt");
        pad.startOn(1, "Basalt");
        pushPad(SDL_JOYBUTTONDOWN, 0, 0, 0);
        pushPad(SDL_JOYBUTTONDOWN, 0, 1, 0);
        pushPad(SDL_JOYAXISMOTION, 0, 0, 30000);
        pushPad(SDL_JOYAXISMOTION, 0, 0, 32000);
        pushPad(SDL_JOYAXISMOTION, 1, 0, 32000);
        pushPad(SDL_JOYBUTTONDOWN, 0, 0, 0);
        pressKeys({SDLK_z});
        std::string trace;
        EXPECT_TRUE(runSelect(pad, padded, true, &trace));
        EXPECT_EQ(
            "screen: select\nselect: opponent picks Basalt\nselect: opponent takes back Basalt\n"
            "select: opponent picks Brawler\nselect: player picks Basalt\n",
            trace);
    }
    selectScreen leaving;
    pressKeys({SDLK_ESCAPE});
    EXPECT_FALSE(runSelect(leaving, keys, false));
}

// A character that would stop the game stands dimmed on the select screen with the
// reason; nobody can move onto it or draw it. When no character can be played the game
// says why, naming the files, and stops.
TEST(Match, SelectScreenKeepsBrokenCharactersOutOfTheMatch) {
    screen = videoScreen();
    TempDir dir;
    copyTree(kData, dir / "data");
    removeForWriting(dir / "data/Basalt/moveset");
    writeFile(dir / "data/Basalt/moveset", "ANIMS: 0\n");
    selectScreen select;
    std::string trace = captureStdout([&] { select.load(dir / "data", {"Basalt", "Brawler"}); });
    EXPECT_NE(std::string::npos, trace.find("select: Basalt cannot be played: " + dir.path() +
                                            "/data/Basalt: no moves loaded (" + dir.path() +
                                            "/data/Basalt/moveset lists no move"))
        << trace;
    EXPECT_TRUE(select.anyPlayable());
    controlsConfig keys;
    pressKeys({SDLK_LEFT, SDLK_RIGHT, SDLK_z});
    trace = captureStdout([&] { EXPECT_TRUE(select.run(screen, keys, false)); });
    EXPECT_EQ("screen: select\nselect: player picks Brawler\nselect: opponent picks Brawler at "
              "random\n",
              trace);
    // Basalt in shadow, BROKEN and the reason under his name (the data folder left out).
    EXPECT_EQ(0x71705adb309666e1ull, screenHash(screen));

    removeForWriting(dir / "data/Brawler/moveset");
    writeFile(dir / "data/Brawler/moveset", "ANIMS: 0\n");
    ChildResult none = runCommand("(cd " + dir.path() + " && SDL_VIDEODRIVER=dummy " +
                                  "SDL_AUDIODRIVER=dummy timeout 20 " + BRAWLER_BINARY +
                                  " --versus 2>&1 >/dev/null)");
    EXPECT_EQ(1, none.exitCode);
    EXPECT_EQ("brawler: data/Basalt: no moves loaded (data/Basalt/moveset lists no move)\n"
              "brawler: data/Brawler: no moves loaded (data/Brawler/moveset lists no move)\n"
              "brawler: no character in data/ can be played; brawler-check data lists what to "
              "mend\n",
              none.output);
}

// The second player's keys are theirs alone: the overlay is the game's key, read once,
// so a key the controls file moved it off is just a button.
TEST(Match, TheOverlayKeyIsTheGamesNotTheSecondPlayers) {
    TempDir dir;
    writeFile(dir / "keys", "overlay = o\n2p.a = j\n");
    FightRunner runner;
    runner.afterPass = [&](long passMs, Game& game) {
        if (passMs != 1100)
            return;
        SDL_Event j{};
        j.key = {SDL_KEYDOWN, 0, SDL_PRESSED, {0, SDLK_j, KMOD_NONE, 0}};
        game.player2.handleEvent(j);
        EXPECT_FALSE(debugging);
    };
    runScript("data " + kData + "\nmode match\nopponent human\ncontrols " + (dir / "keys") +
                  "\nend 1200\n",
              runner);
}

// Without data/hud, ko, win and palette2 the match still plays: plain bars after one
// warning, and the knocked-out fighter stands where it would have fallen.
TEST(Match, PlaysWithoutItsOwnPictures) {
    TempDir dir;
    makeDirs(dir / "data/Brawler");
    for (const char* entry : {"particle", "run", "soundSet", "tBG2.bmp"})
        ASSERT_EQ(0, symlink((kData + "/" + entry).c_str(), (dir / "data/" + entry).c_str()));
    for (const auto& e : std::filesystem::directory_iterator(kData + "/Brawler")) {
        std::string name = e.path().filename().string();
        if (name != "ko" && name != "win" && name != "palette2")
            ASSERT_EQ(0, symlink(e.path().c_str(), (dir / "data/Brawler/" + name).c_str()));
    }
    FightRunner runner;
    long barPixels = 0; // of the plain bars, drawn over the stage
    runner.afterPass = [&](long, Game& game) {
        SDL_Rect r = game.match->display.partRect(hud::barLeft);
        barPixels = 0;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                barPixels += pixelAt(screen, x, y) != pixelAt(back, x, y);
    };
    std::string warnings = captureStderr([&] {
        runScript("data " + (dir / "data") +
                      "\nmode match\nopponent idle\nat 2000 set opponent hp 0\n"
                      "at 2100 expect match state = ko\nat 2100 expect match player-wins = 1\n"
                      "at 4000 expect opponent action = standing\n",
                  runner);
    });
    size_t first = warnings.find("brawler: warning: " + (dir / "data/hud") + ": missing folder");
    EXPECT_NE(first, std::string::npos) << warnings;
    EXPECT_EQ(first, warnings.rfind("brawler:")) << "one warning only: " << warnings;
    EXPECT_GT(barPixels, 5000) << "no plain bar";
}

// A hit leaves the damage on the bar for half a second, shrinking to the hit points left.
// After a match chosen on the select screen the prompt offers the way back to it, and
// only once the match is over: the fight itself looks the same either way.
TEST(Match, TheWayBackToTheSelectScreenIsOfferedWhenTheMatchIsOver) {
    TempDir dir;
    for (bool selectable : {false, true}) {
        FightRunner runner;
        runner.afterPass = [&](long, Game& game) { game.selectable = selectable; };
        std::string tag = selectable ? "s" : "p";
        runScript("data " + kData +
                      "\nmode match\nrounds 1\nopponent idle\nat 2000 set opponent hp 0\n"
                      "at 1900 shot " +
                      (dir / (tag + "-fight.bmp")) +
                      "\nat 6000 expect match state = over\nat 6000 shot " +
                      (dir / (tag + "-over.bmp")) + "\n",
                  runner);
    }
    EXPECT_EQ(fileHash(dir / "p-fight.bmp"), fileHash(dir / "s-fight.bmp"));
    EXPECT_NE(fileHash(dir / "p-over.bmp"), fileHash(dir / "s-over.bmp"));
    // A player on a pad goes back with its B button, only once the match is over.
    FightRunner runner;
    int pushed = 0;
    bool backInTheFight = true;
    runner.afterPass = [&](long passMs, Game& game) {
        game.selectable = true;
        game.GPad.joystickIndex = 0;
        if ((pushed == 0 && passMs >= 1000) || (pushed == 1 && passMs >= 6000)) {
            pushPad(SDL_JOYBUTTONDOWN, 0, game.GPad.joyButtonB, 0);
            ++pushed;
        }
        if (pushed == 1 && passMs >= 1500)
            backInTheFight = game.match->backToSelect;
    };
    std::string trace;
    runScript("data " + kData +
                  "\nmode match\nrounds 1\nopponent idle\nat 2000 set opponent hp 0\nend 8000\n",
              runner, &trace);
    EXPECT_EQ(2, pushed);
    EXPECT_FALSE(backInTheFight);
    EXPECT_NE(std::string::npos, trace.find("match: back to the select screen")) << trace;
}

TEST(Match, DamageTrailShrinksToTheHitPointsLeft) {
    damageTrail t;
    t.follow(1000, 0);
    t.follow(900, 100);
    EXPECT_EQ(950, t.top(350));
    t.follow(800, 350); // a second hit stretches the same segment
    EXPECT_EQ(950, t.top(350));
    EXPECT_EQ(800, t.top(850));
    t.follow(1000, 900); // a new round
    EXPECT_EQ(1000, t.top(900));
}

// The command line on the real binary: help, and bad values refused before any window.
TEST(Match, CommandLineRefusesWhatItCannotUse) {
    struct row {
        const char* args;
        int exitCode;
        const char* says;
    };
    for (const row& r :
         {row{"--help", 0, "--rounds N"},
          row{"--rounds 4", 2, "--rounds takes an odd whole number from 1 to 9, not"},
          row{"--rounds x", 2, "not \"x\""},
          row{"--rounds", 2, "needs a value"},
          row{"--fast", 2, "brawler: unknown option \"--fast\""},
          row{"-xz", 2, "brawler: unknown option \"-xz\""},
          row{"--classic -q", 2, "brawler: unknown option \"-q\""},
          row{"--write-controls ''", 2, "brawler: --write-controls needs a file name, not \"\""},
          row{"--write-controls=", 2, "--write-controls needs a file name"},
          row{"extra", 2, "unexpected argument \"extra\""},
          row{"--scale 9", 2, "brawler: --scale takes a whole number from 1 to 4, not \"9\""},
          row{"--scale 2x", 2, "not \"2x\""},
          row{"--scale=0", 2, "not \"0\""},
          row{"--versus --classic", 2, "--versus plays a match; leave out --classic"},
          row{"--controls", 2, "needs a value"},
          row{"--data ''", 2, "--data takes the name"},
          row{"--classic --replay x", 2, "a replay is of a match; leave out --classic"},
          row{"--record ''", 2, "--record takes the name of a replay file"},
          row{"--host 0", 2, "--host takes a UDP port from 1 to 65535, not \"0\""},
          row{"--join [::1]:7650", 2, "--join takes HOST or HOST:PORT (a name or an IPv4"},
          row{"--watch host:x", 2, "--watch takes HOST or HOST:PORT"},
          row{"--input-delay 9", 2, "--input-delay takes a whole number of steps from 0 to 8"},
          row{"--cpu 9", 2, "--cpu takes a level from 1 (easiest) to 8 (hardest), not \"9\""},
          row{"--cpu 3 --versus", 2, "--cpu sets the level of the computer you fight in a match"},
          row{"--classic --cpu 8", 2, "leave it out with --classic"},
          row{"--host --join h", 2, "online play is --host, --join or --watch alone"},
          row{"--join h --classic", 2, "online play is --host, --join or --watch alone"},
          row{"--training --classic", 2, "--training is one player against a dummy"},
          row{"--versus --training", 2, "--training is one player against a dummy"},
          row{"--training --replay r", 2, "--training is one player against a dummy"},
          row{"--training --record r", 2, "--training is one player against a dummy"},
          row{"--training --rounds 5", 2, "--training is one player against a dummy"},
          row{"--training --watch h", 2, "--training is one player against a dummy"}}) {
        ChildResult c = runCommand(std::string("env -u DISPLAY ") + BRAWLER_BINARY + " " + r.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.args;
        EXPECT_NE(c.output.find(r.says), std::string::npos) << r.args << ": " << c.output;
        EXPECT_NE(c.output.find("usage: brawler"), std::string::npos) << r.args;
    }
    // A folder and a file that are named are taken, and only then found missing; the
    // classic game is no versus match unless asked.
    ChildResult named =
        runCommand("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + std::string(BRAWLER_BINARY) +
                   " --classic --data /nonexistent/data --controls /nonexistent/keys");
    EXPECT_EQ(1, named.exitCode);
    EXPECT_NE(std::string::npos, named.output.find("/nonexistent/keys: cannot read"))
        << named.output;
    // The folder the player named is the one not found; where to start the game from is
    // no help then.
    EXPECT_NE(std::string::npos,
              named.output.find("brawler: no data folder \"/nonexistent/data\"\n"))
        << named.output;
    EXPECT_EQ(std::string::npos, named.output.find("start the game from")) << named.output;
    ChildResult v = runCommand(std::string(BRAWLER_BINARY) + " --version");
    EXPECT_EQ(0, v.exitCode);
    EXPECT_EQ(0u, v.output.find("brawler 1.")) << v.output;
    TempDir dir;
    std::string write = std::string(BRAWLER_BINARY) + " --write-controls " + (dir / "keys");
    EXPECT_EQ(0, runCommand(write).exitCode);
    ChildResult again = runCommand(write);
    EXPECT_EQ(1, again.exitCode);
    EXPECT_NE(std::string::npos, again.output.find("already exists")) << again.output;
    ChildResult folder =
        runCommand(std::string(BRAWLER_BINARY) + " --write-controls " + dir.path());
    EXPECT_EQ(1, folder.exitCode);
    EXPECT_EQ("brawler: " + dir.path() + " is a folder; name a file in it\n", folder.output);
    // A character that is not there, an empty name too, is refused before the select
    // screen or any window.
    for (auto [args, name] :
         {std::pair{"--opponent Nobody", "Nobody"}, {"--player ''", ""}, {"--opponent ''", ""}}) {
        ChildResult nobody = runCommand("cd " + std::string(BRAWLER_SOURCE_DIR) +
                                        " && timeout 10 " + BRAWLER_BINARY + " " + args);
        EXPECT_EQ(2, nobody.exitCode) << args;
        EXPECT_EQ(0u,
                  nobody.output.find("brawler: no character \"" + std::string(name) +
                                     "\" in data/ (characters: Basalt, Brawler)\nusage: brawler"))
            << nobody.output;
    }
    // A replay that cannot be watched here stops before any window, naming the file.
    writeFile(dir / "cut.replay", "brawler replay\nformat 1\n");
    writeFile(dir / "newer.replay", "brawler replay\nformat 7\ninput\n");
    for (auto [file, says] : {std::pair{"cut.replay", "the header ends before"},
                              {"newer.replay", "made by a newer game"},
                              {"none.replay", "cannot read the replay"}}) {
        std::string path = dir / file;
        ChildResult r = runCommand("cd " + std::string(BRAWLER_SOURCE_DIR) + " && env -u DISPLAY " +
                                   BRAWLER_BINARY + " --replay " + path);
        EXPECT_EQ(1, r.exitCode) << file;
        EXPECT_EQ(0u, r.output.find("brawler: " + path + ": " + says)) << r.output;
    }
}

// When time runs out the timer shows 00, not nothing.
TEST(Match, TheTimerShowsZeroAtTimeOver) {
    FightRunner runner;
    int shownWidth = -1;
    runner.afterPass = [&](long, Game& game) {
        if (game.match->rules.state == matchState::timeover)
            shownWidth = game.match->display.partRect(hud::timer).w;
    };
    runScript("data " + kData + "\nmode match\nms-per-pass 50\nopponent idle\nend 101000\n",
              runner);
    EXPECT_GT(shownWidth, 20);
}
