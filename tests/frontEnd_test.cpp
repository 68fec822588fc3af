#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"

#include "config/controlsConfig.h"
#include "config/replayPlace.h"
#include "match/replayFile.h"
#include "menu/menuInput.h"
#include "shell/frontEnd.h"
#include "shell/selectScreen.h"
#include "tests/testSupport.h"

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

void push(SDLKey key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

void pushKeys(std::initializer_list<SDLKey> keys) {
    for (SDLKey k : keys)
        push(k);
}

// A replay of `player` against `opponent` saved as it ended.
void saveReplay(const fs::path& path, const std::string& player, const std::string& result) {
    replayFile r;
    r.game = "brawler test";
    r.data = "0";
    r.player = player;
    r.opponent = "Basalt";
    r.result = result;
    std::string error;
    ASSERT_TRUE(r.save(path.string(), error)) << error;
}

SDL_Event joystick(Uint8 type, int which, int part, int value) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_JOYAXISMOTION) {
        e.jaxis.which = which;
        e.jaxis.axis = part;
        e.jaxis.value = value;
    } else if (type == SDL_JOYHATMOTION) {
        e.jhat.which = which;
        e.jhat.value = value;
    } else {
        e.jbutton.which = which;
        e.jbutton.button = part;
    }
    return e;
}

} // namespace

// A pad drives every menu: a stick counts once each time it is pushed over, the hat
// moves, a player's configured buttons (else 0 and 1) take and go back; and each player's
// own keys work beside the arrows.
TEST(MenuInput, PadsAndEachPlayersKeysBecomeMenuActions) {
    controlsConfig keys;
    keys.players[1].joystickIndex = 1;
    keys.players[1].joyButtonA = 5;
    keys.players[1].joyButtonB = 6;
    menuInput input(keys);
    struct Case {
        SDL_Event e;
        menuAction want;
    };
    std::vector<Case> cases = {
        {joystick(SDL_JOYAXISMOTION, 0, 1, 30000), menuAction::down},
        {joystick(SDL_JOYAXISMOTION, 0, 1, 31000), menuAction::none}, // still held over
        {joystick(SDL_JOYAXISMOTION, 0, 1, 100), menuAction::none},   // back in the middle
        {joystick(SDL_JOYAXISMOTION, 0, 1, -30000), menuAction::up},
        {joystick(SDL_JOYAXISMOTION, 0, 0, -30000), menuAction::left},
        {joystick(SDL_JOYHATMOTION, 0, 0, SDL_HAT_RIGHT), menuAction::right},
        {joystick(SDL_JOYBUTTONDOWN, 0, 0, 0), menuAction::confirm},
        {joystick(SDL_JOYBUTTONDOWN, 0, 1, 0), menuAction::back},
        {joystick(SDL_JOYBUTTONDOWN, 1, 5, 0), menuAction::confirm},
        {joystick(SDL_JOYBUTTONDOWN, 1, 6, 0), menuAction::back},
        {joystick(SDL_JOYBUTTONDOWN, 1, 0, 0), menuAction::none},
    };
    for (SDLKey k : {SDLK_w, SDLK_s, SDLK_z, SDLK_x, SDLK_f, SDLK_g, SDLK_DELETE, SDLK_ESCAPE}) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = k;
        cases.push_back({e, menuAction::none});
    }
    const menuAction keyWants[] = {menuAction::up,    menuAction::down,    menuAction::confirm,
                                   menuAction::back,  menuAction::confirm, menuAction::back,
                                   menuAction::erase, menuAction::back};
    for (size_t i = 0; i < 8; ++i)
        cases[cases.size() - 8 + i].want = keyWants[i];
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(static_cast<int>(cases[i].want), static_cast<int>(input.read(cases[i].e)))
            << "case " << i;
}

// The Replays page lists the newest first; Delete asks and Enter removes; a replay this
// data cannot play says why and stays; Enter on one that can chooses it. On the title,
// Escape asks before the game ends.
TEST(FrontEnd, ReplaysAreListedDeletedAndChosenAndTheTitleAsksBeforeQuitting) {
    SDL_Surface* screen = videoScreen();
    TempDir home;
    const char* before = getenv("XDG_DATA_HOME");
    std::string saved = before ? before : "";
    setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    fs::path folder = home / "brawler/replays";
    fs::create_directories(folder);
    saveReplay(folder / "2026-12-01_10-00-00_Brawler-vs-Basalt.replay", "Brawler", "player 2-1");
    saveReplay(folder / "2026-12-02_10-00-00_Basalt-vs-Basalt.replay", "Basalt", "opponent 0-2");
    saveReplay(folder / "2026-12-03_10-00-00_Brawler-vs-Basalt.replay", "Brawler", "");

    // Newest first, each with its date, who fought and how it ended.
    std::vector<std::string> lines;
    for (const std::string& path : listReplays(folder.string())) {
        menuEntry e = replayLine(path);
        lines.push_back(e.label + " | " + e.value);
    }
    EXPECT_EQ((std::vector<std::string>{"2026-12-03 10:00  BRAWLER V BASALT | ",
                                        "2026-12-02 10:00  BASALT V BASALT | LOST 0-2",
                                        "2026-12-01 10:00  BRAWLER V BASALT | WON 2-1"}),
              lines);

    frontEnd menu(kData, controlsConfig());
    std::vector<std::string> asked;
    menu.checkReplay = [&](const std::string& path) {
        asked.push_back(fs::path(path).filename().string());
        return path.find("12-02") != std::string::npos ? "recorded with other data" : "";
    };
    // Title, main menu down to REPLAYS; the newest (12-03) is deleted; the next (12-02)
    // cannot be watched; the last (12-01) is chosen.
    pushKeys({SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN, SDLK_DELETE,
              SDLK_RETURN, SDLK_RETURN, SDLK_DOWN, SDLK_RETURN});
    frontChoice choice = frontChoice::none;
    std::string trace = captureStdout([&] { choice = menu.run(screen, true); });
    EXPECT_EQ(static_cast<int>(frontChoice::replay), static_cast<int>(choice));
    EXPECT_EQ((folder / "2026-12-01_10-00-00_Brawler-vs-Basalt.replay").string(), menu.replayPath);
    EXPECT_FALSE(fs::exists(folder / "2026-12-03_10-00-00_Brawler-vs-Basalt.replay"));
    EXPECT_TRUE(fs::exists(folder / "2026-12-02_10-00-00_Basalt-vs-Basalt.replay"));
    EXPECT_EQ((std::vector<std::string>{"2026-12-02_10-00-00_Basalt-vs-Basalt.replay",
                                        "2026-12-01_10-00-00_Brawler-vs-Basalt.replay"}),
              asked);
    EXPECT_EQ("screen: title\nscreen: menu\nscreen: replays\nreplays: deleted " +
                  (folder / "2026-12-03_10-00-00_Brawler-vs-Basalt.replay").string() + "\n",
              trace);

    // Back from a match: straight to the main menu. Escape there goes to the title, where
    // Escape asks and anything else keeps the game (Enter then opens the menu again);
    // Enter after the question quits.
    pushKeys(
        {SDLK_ESCAPE, SDLK_ESCAPE, SDLK_DOWN, SDLK_RETURN, SDLK_ESCAPE, SDLK_ESCAPE, SDLK_RETURN});
    trace = captureStdout([&] { choice = menu.run(screen, false); });
    EXPECT_EQ(static_cast<int>(frontChoice::quit), static_cast<int>(choice));
    EXPECT_EQ("screen: menu\nscreen: title\nscreen: menu\nscreen: title\n", trace);
    if (before)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

// Leaving the select screen: Escape goes back (to the menu, when it opened the screen),
// the window's close ends the game.
TEST(FrontEnd, TheSelectScreenTellsEscapeFromTheWindowsClose) {
    SDL_Surface* screen = videoScreen();
    std::vector<std::string> roster = {"Basalt", "Brawler"};
    for (bool closing : {false, true}) {
        selectScreen select;
        captureStdout([&] { ASSERT_TRUE(select.load(kData, roster)); });
        if (closing) {
            SDL_Event e{};
            e.type = SDL_QUIT;
            SDL_PushEvent(&e);
        } else {
            push(SDLK_ESCAPE);
        }
        bool picked = true;
        captureStdout([&] { picked = select.run(screen, controlsConfig(), false); });
        EXPECT_FALSE(picked);
        EXPECT_EQ(closing, select.windowClosed);
    }
}
