#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SDL.h"

#include "config/controlsConfig.h"
#include "match/hudFont.h"
#include "sprite/CSpriteBase.h"

// Where a match begins when the data holds more than one character: every character's
// standing frame and name side by side on the stage. The first player moves along them
// with left and right and picks with A (or Enter); against the computer the opponent is
// then drawn at random, in versus the second player picks with their own keys. Escape or
// the window's close leaves the game.
// Online, the other player picks on their own machine: this player's cursor and pick go
// out through `tell`, the other's come in through `hear`, which says false once the other
// player has gone (then `gone` is set).
struct selectPeer {
    int localSide = 0; // the side this player picks for: 0 the host's, 1 the joining one's
    std::function<void(int cursor, bool picked)> tell;
    std::function<bool(int& cursor, bool& picked)> hear;
    bool gone = false;
};

class selectScreen {
public:
    std::string picked[2]; // the characters chosen for the player and the opponent
    bool windowClosed = false; // the screen was left by the window's close, not Escape

    selectScreen() = default;
    ~selectScreen();
    selectScreen(const selectScreen&) = delete;
    selectScreen& operator=(const selectScreen&) = delete;

    // Reads the stage, the HUD's fonts and each character's standing sheet; false
    // without a stage to show them on.
    bool load(const std::string& dataRoot, const std::vector<std::string>& roster);
    // Shows the screen until both sides have picked (true) or the player leaves (false).
    // Online (`peer`) this player picks with the first player's keys for their own side,
    // and the other side's cursor moves as the other player's does.
    bool run(SDL_Surface* screen, const controlsConfig& keys, bool versus,
             selectPeer* peer = nullptr);
    // Online, a character named on the command line: picked before the screen shows.
    void preselect(int side, const std::string& name);

private:
    void readKey(const SDL_Event& e, const controlsConfig& keys, bool versus);
    void readOwnKey(int key, const gamePad& pad, int side, bool enterPicks);
    // Online: this player's changes out, the other's in; false once the other has gone.
    bool exchange(int& toldCursor, bool& toldPicked);
    void move(int side, int by);
    void pick(int side, int at, const char* how);
    void draw(SDL_Surface* screen);
    void drawCursor(SDL_Surface* screen, int side);
    int columnX(int i) const;

    std::vector<std::string> names_;
    std::vector<std::unique_ptr<CSpriteBase>> standing_;
    SDL_Surface* stage_ = nullptr;
    hudFont font_;      // names, tags and keys
    hudFont titleFont_; // the title
    int cursor_[2] = {0, 0};
    bool done_[2] = {false, false};
    bool quit_ = false;
    bool versus_ = false;
    selectPeer* peer_ = nullptr;
};
