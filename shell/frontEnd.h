#pragma once

#include <functional>
#include <string>
#include <vector>

#include "SDL.h"

#include "config/controlsConfig.h"
#include "menu/menuInput.h"
#include "menu/menuList.h"
#include "menu/menuLook.h"

// A line of the Replays page for the replay at `path`: when (from its name), who against
// whom, and how it ended ("WON 2-1", "LOST", "1P", "2P", "DRAW", "LEFT" for a match left
// before its end).
menuEntry replayLine(const std::string& path);

// What the player chose on the title and main menu.
enum class frontChoice {
    arcade,   // against the computer, characters from the select screen
    versus,   // two players at one machine
    training, // practice against a dummy
    host,     // online: wait for a player
    join,     // online: call `address`
    replay,   // watch the replay at `replayPath`
    quit,     // leave the game
    none,     // nothing chosen on a page: back to the main menu
};

// The game as it opens when started without saying what to play: the title, then a
// main menu (Arcade, Versus, Training, Online, Replays, Options, Quit) whose Online and
// Replays lead to pages of their own. It runs until the player chooses something to
// play or quits, and is run again when that is over.
class frontEnd {
public:
    std::string address;    // online: the host to join, as typed
    std::string replayPath; // the replay chosen on the Replays page
    // Opens Options; false when the window was closed there. Null: no Options entry.
    std::function<bool(SDL_Surface*, const menuLook&, menuInput&)> openOptions;
    // Why a replay cannot be watched with this game's data; empty when it can.
    std::function<std::string(const std::string& path)> checkReplay;

    frontEnd(const std::string& dataRoot, const controlsConfig& controls);

    // The title first when `fromTitle`, else straight to the main menu (coming back
    // from a match); the main menu's choice, or quit.
    frontChoice run(SDL_Surface* screen, bool fromTitle);
    // What the menus are drawn with and read keys from, for a page opened elsewhere.
    const menuLook& look() const { return look_; }
    menuInput& input() { return input_; }
    // The keys changed in Options: the menus answer to them from now on.
    void useKeys(const controlsConfig& controls);

private:
    bool showTitle(SDL_Surface* screen);
    frontChoice showMainMenu(SDL_Surface* screen);
    frontChoice showOnline(SDL_Surface* screen);
    frontChoice showReplays(SDL_Surface* screen);

    menuLook look_;
    menuInput input_;
    bool backToTitle_ = false; // the main menu was left with Escape
};
