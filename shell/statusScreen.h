#pragma once

#include <string>

#include "SDL.h"

#include "match/hudFont.h"

// What online play is doing before its match, on the stage: "waiting for a player on
// port 7650", "connecting to HOST", "connected: 42 ms". The player's one key here is
// Escape (or the window's close), which gives up.
class statusScreen {
public:
    statusScreen() = default;
    ~statusScreen();
    statusScreen(const statusScreen&) = delete;
    statusScreen& operator=(const statusScreen&) = delete;

    // Reads the stage and the HUD's fonts; without them the screen is plain black and
    // the lines go to the trace only.
    void load(const std::string& dataRoot);
    // Shows `line` (and `below`, smaller) and reads the events; false once the player
    // asked to leave.
    bool show(SDL_Surface* screen, const std::string& line, const std::string& below = "");

private:
    SDL_Surface* stage_ = nullptr;
    hudFont font_;
    hudFont titleFont_;
    std::string shown_; // what is on the screen now, so an unchanged one is not redrawn
};
