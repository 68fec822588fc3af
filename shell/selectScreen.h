#pragma once

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
class selectScreen {
public:
    std::string picked[2]; // the characters chosen for the player and the opponent

    selectScreen() = default;
    ~selectScreen();
    selectScreen(const selectScreen&) = delete;
    selectScreen& operator=(const selectScreen&) = delete;

    // Reads the stage, the HUD's fonts and each character's standing sheet; false
    // without a stage to show them on.
    bool load(const std::string& dataRoot, const std::vector<std::string>& roster);
    // Shows the screen until both sides have picked (true) or the player leaves (false).
    // `alone`: only the player picks (online, where the other player picks elsewhere).
    bool run(SDL_Surface* screen, const controlsConfig& keys, bool versus, bool alone = false);

private:
    void readKey(const SDL_Event& e, const controlsConfig& keys, bool versus);
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
    bool alone_ = false;
};
