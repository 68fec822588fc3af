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
// then drawn at random, in versus the second player picks with their own keys. A player
// on a pad moves with its stick or hat and picks with its A button. B (or Backspace)
// takes a pick back while the other side is still choosing. A character that cannot be
// played is shown dimmed with the reason, and nobody can pick or draw it. Escape or the
// window's close leaves the game.
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
    std::string picked[2];     // the characters chosen for the player and the opponent
    bool windowClosed = false; // the screen was left by the window's close, not Escape

    selectScreen() = default;
    ~selectScreen();
    selectScreen(const selectScreen&) = delete;
    selectScreen& operator=(const selectScreen&) = delete;

    // Reads the stage, the HUD's fonts and each character's standing sheet, and loads
    // each character whole to see that it can be played; false without a stage to show
    // them on.
    bool load(const std::string& dataRoot, const std::vector<std::string>& roster);
    // Why each character cannot be played (a line naming the file at fault), or empty.
    const std::vector<std::string>& broken() const { return broken_; }
    // Whether any character can be played.
    bool anyPlayable() const;
    // The side's cursor starts on this character (when it can be played) instead of the
    // Brawler, or the first that can be played.
    void startOn(int side, const std::string& name);
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
    // A player's pad event on their side: along the row, a pick or a pick taken back.
    void readPad(const SDL_Event& e, const gamePad& pad, int side);
    bool loop(SDL_Surface* screen, const controlsConfig& keys, bool versus);
    void openPads(const controlsConfig& keys);
    void closePads();
    void drawComputer();
    void takeBack(int side);
    bool playable(int i) const { return broken_[i].empty(); }
    int defaultCursor() const;
    void drawBroken(SDL_Surface* screen, int i, int x);
    void drawPrompt(SDL_Surface* screen, const controlsConfig& keys);
    // Online: this player's changes out, the other's in; false once the other has gone.
    bool exchange(int& toldCursor, bool& toldPicked);
    void move(int side, int by);
    void pick(int side, int at, const char* how);
    void draw(SDL_Surface* screen);
    void drawCursor(SDL_Surface* screen, int side);
    int columnX(int i) const;

    std::string dataRoot_; // the data folder, left out of the reasons shown
    std::vector<std::string> names_;
    std::vector<std::string> broken_; // why each character cannot be played, or empty
    std::vector<std::unique_ptr<CSpriteBase>> standing_;
    SDL_Surface* stage_ = nullptr;
    hudFont font_;      // names, tags and keys
    hudFont titleFont_; // the title
    int cursor_[2] = {0, 0};
    bool placed_[2] = {false, false}; // startOn placed the cursor
    int stick_[2] = {0, 0};           // each side's stick: -1, 0 or 1 along, so a push moves once
    SDL_Joystick* pads_[2] = {};      // each side's pad, opened while the screen runs
    const controlsConfig* keys_ = nullptr;
    bool done_[2] = {false, false};
    bool quit_ = false;
    bool versus_ = false;
    selectPeer* peer_ = nullptr;
};
