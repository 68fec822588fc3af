#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "match/commandIcons.h"
#include "match/replayFile.h"
#include "platform/gameClock.h"
#include "menu/moveListPage.h"
#include "shell/matchSession.h"
#include "shell/pauseMenu.h"
#include "shell/shell.h"
#include "tests/gameHarness.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

// A match in the harness, as the game's menus start one, its fight under way.
void startMatch(GameHarness& h, bool versus = false, const std::string& opponent = "Brawler") {
    h.game.matchMode = true;
    h.game.fromMenu = true;
    h.game.versusMode = versus;
    h.game.opponentCharacter = opponent;
    h.start();
    h.game.match->computerIdle = true;
    h.game.presenter.keepShadow(true);
    h.run(2000);
    h.log.clear();
}

std::vector<std::string> labels(const menuList& list) {
    std::vector<std::string> out;
    for (const menuEntry& e : list.entries)
        out.push_back(e.label);
    return out;
}

std::vector<std::string> described(const std::vector<moveLine>& lines) {
    std::vector<std::string> out;
    for (const moveLine& l : lines)
        out.push_back(l.name + " " + l.command + (l.note.empty() ? "" : " " + l.note));
    return out;
}

// Pixels of one colour in a box of the screen.
long pixelsOf(SDL_Surface* s, Uint32 rgb, int x, int y, int w, int h) {
    Uint32 want = SDL_MapRGB(s->format, rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff);
    long n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            n += pixelAt(s, i, j) == want;
    return n;
}

} // namespace

// Escape opens the menu over a fight that then stands still; Escape gives the fight back
// exactly as it was shown; RESTART makes round 1 again with full hit points, and the
// match's replay, restart and all, plays back to the same place; QUIT TO MENU leaves
// run() with backToMenu and the clock running.
TEST(PauseMenu, StopsTheFightRestartsItAndLeavesForTheMenu) {
    GameHarness h;
    startMatch(h);
    Game& g = h.game;
    matchSession& m = *g.match;
    int options = 0;
    g.openOptions = [&] { return ++options > 0; };
    g.vikings1.setHP(400, 1000);
    h.pass(0);
    SDL_Surface* fight = snapshot(g.presenter.shadow());

    h.press(SDLK_ESCAPE);
    EXPECT_TRUE(h.pass());
    ASSERT_TRUE(m.menu && m.menu->isOpen());
    EXPECT_EQ(
        (std::vector<std::string>{"RESUME", "MOVE LIST", "OPTIONS", "RESTART", "QUIT TO MENU"}),
        labels(m.menu->list()));
    EXPECT_EQ("paused", m.stateName());
    long steps = m.stepNumber;
    float x = g.vikings1.x;
    h.run(2000);
    EXPECT_EQ(steps, m.stepNumber) << "the fight went on under the menu";
    EXPECT_EQ(x, g.vikings1.x);
    EXPECT_GT(differingPixels(fight, g.presenter.shadow()), 100000) << "no menu shown";

    h.press(SDLK_ESCAPE);
    h.pass(0);
    EXPECT_FALSE(m.menu->isOpen());
    EXPECT_EQ(0, differingPixels(fight, g.presenter.shadow())) << "the fight not given back";
    EXPECT_TRUE(g.presenter.lastWasFull);
    SDL_FreeSurface(fight);

    // OPTIONS, third, calls the game's page and comes back to the menu.
    h.press(SDLK_p);
    for (SDLKey k : {SDLK_DOWN, SDLK_DOWN, SDLK_RETURN})
        h.press(k);
    h.pass();
    EXPECT_EQ(1, options);
    EXPECT_TRUE(m.menu->isOpen());
    h.press(SDLK_DOWN);
    h.press(SDLK_RETURN);
    h.run(110);
    EXPECT_NE(std::string::npos, h.log.find("resumed\nmatch: restart\n")) << h.log;
    EXPECT_EQ(1, m.rules.round);
    EXPECT_EQ(matchState::intro, m.rules.state);
    EXPECT_EQ(1000, g.vikings1.hitPoints);
    EXPECT_EQ(1000, g.fighter2.hitPoints);

    h.press(SDLK_p);
    h.press(SDLK_UP); // the cursor wraps to the last entry
    h.press(SDLK_RETURN);
    EXPECT_FALSE(h.pass());
    EXPECT_TRUE(m.backToMenu);
    EXPECT_NE(std::string::npos, h.log.find("match: back to the menu\n"));
    Uint32 before = unpinnedTicks();
    h.clock.advance(50);
    EXPECT_EQ(before + 50, unpinnedTicks()) << "the clock stays stopped after the match";

    replayFile saved;
    std::string error;
    ASSERT_TRUE(saved.decode(g.replayOfMatch().encode(), error)) << error;
    FightRunner runner;
    runner.playback = &saved;
    FightScript script;
    ASSERT_TRUE(script.parse("data " + std::string(BRAWLER_SOURCE_DIR) + "/data\nmode match\nend " +
                                 std::to_string((saved.steps.size() - 1) * 11) + "\n",
                             &error));
    FightSummary replayed;
    std::string trace = captureStdout([&] { replayed = runner.run(script); });
    EXPECT_NE(std::string::npos, trace.find("match: restart\n"));
    EXPECT_EQ("intro in round 1, rounds won: player 0, opponent 0, winner: none",
              replayed.matchResult);
}

// From the command line Escape still ends the game, the pause menu open or not, and the
// menu's last entry is QUIT.
TEST(PauseMenu, FromTheCommandLineEscapeEndsTheGame) {
    GameHarness h;
    startMatch(h);
    h.game.fromMenu = false;
    h.press(SDLK_p);
    h.pass();
    EXPECT_EQ("QUIT", h.game.match->menu->list().entries.back().label);
    h.press(SDLK_ESCAPE);
    EXPECT_FALSE(h.pass());
    EXPECT_FALSE(h.game.match->backToMenu);
}

// The move list names each move a player can press, in the move set's order, with its
// command and where it strikes; its buttons are drawn in their colours on their rows.
// In versus Right shows the second player's; Escape goes back to the pause menu.
TEST(PauseMenu, MoveListShowsEachSidesMovesWithTheirCommands) {
    GameHarness h;
    startMatch(h, true, "Basalt");
    h.press(SDLK_p);
    h.press(SDLK_DOWN);
    h.press(SDLK_RETURN);
    h.pass();
    const moveListPage* page = h.game.match->menu->moveList();
    ASSERT_TRUE(page);
    EXPECT_EQ((std::vector<std::string>{"FIREBALL DRA", "JAB A", "UPPERCUT RDRC", "STRIKE C",
                                        "SWEEP DB LOW", "AIR KICK B IN THE AIR", "KICK B"}),
              described(page->lines()));
    // JAB's row (the second) holds a red A button and no blue B; KICK's a blue one.
    SDL_Surface* shown = h.game.presenter.shadow();
    EXPECT_GT(pixelsOf(shown, 0xd83a2a, 360, 190, 40, 30), 200);
    EXPECT_EQ(0, pixelsOf(shown, 0x2a6ad8, 360, 190, 40, 30));
    EXPECT_GT(pixelsOf(shown, 0x2a6ad8, 360, 390, 40, 30), 200);

    h.press(SDLK_RIGHT);
    h.pass();
    EXPECT_EQ((std::vector<std::string>{"STONE TOSS DRB", "SHOULDER RUSH LRC", "LOW HAMMER DC LOW",
                                        "AIR SLAM A OVERHEAD IN THE AIR", "HOOK A", "STOMP B",
                                        "HAMMER C OVERHEAD"}),
              described(page->lines()));
    h.press(SDLK_ESCAPE);
    h.pass();
    EXPECT_EQ(nullptr, h.game.match->menu->moveList());
    EXPECT_TRUE(h.game.match->menu->isOpen());
}

// Forward is the way the fighter faces: a forward arrow facing right is a back arrow
// facing left, and the mirror of a back arrow facing right; up is down upside down.
TEST(CommandIcons, ArrowsFollowTheFacing) {
    auto drawn = [](const std::string& letters, bool right) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 24, 24, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_FillRect(s, nullptr, 0x123456);
        EXPECT_EQ(24, commandIcons::drawCommand(s, letters, 0, 0, 24, right));
        return s;
    };
    SDL_Surface* forward = drawn("R", true);
    SDL_Surface* backLeft = drawn("L", false);
    SDL_Surface* back = drawn("L", true);
    SDL_Surface* up = drawn("U", true);
    SDL_Surface* down = drawn("D", true);
    EXPECT_EQ(0, differingPixels(forward, backLeft));
    long mirrored = 0, flipped = 0, filled = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            mirrored += pixelAt(forward, x, y) != pixelAt(back, 23 - x, y);
            flipped += pixelAt(up, x, y) != pixelAt(down, x, 23 - y);
            filled += pixelAt(forward, x, y) != 0x123456;
        }
    EXPECT_EQ(0, mirrored);
    EXPECT_EQ(0, flipped);
    EXPECT_GT(filled, 100);
    // The head points the way: its base, right of the middle, stands far taller than the
    // shaft on the left.
    auto column = [&](int x) {
        int n = 0;
        for (int y = 0; y < 24; ++y)
            n += pixelAt(forward, x, y) != 0x123456;
        return n;
    };
    EXPECT_GT(column(13), 2 * column(5));
    for (SDL_Surface* s : {forward, backLeft, back, up, down})
        SDL_FreeSurface(s);
    // Three pictures with two gaps of a quarter; a letter without one takes no room.
    EXPECT_EQ(3 * 24 + 2 * 6, commandIcons::commandWidth("DRA", 24));
    EXPECT_EQ(0, commandIcons::commandWidth("N", 24));
}
