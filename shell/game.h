#pragma once

#include <string>

#include "SDL.h"

#include "sprite/CSprite.h"
#include "sprite/CSpriteBase.h"

// Every long-lived object of one run of the game, created at start-up and kept until
// the run ends. Paths are relative to `dataRoot` so a test can run a copy of the data.
class Game {
public:
    std::string dataRoot = "data"; // the data folder
    CSpriteBase vikingbase;        // sheet from dataRoot/run, loaded and not drawn
    CSpriteBase sunbase;           // sheet from dataRoot/particle/fireball1
    CSprite vikings2;              // sprites on those sheets, set up and not drawn
    CSprite sun;
    CSprite sun2;
    CSprite sun3;
    SDL_Event event;        // the one event buffer, filled while polling
    bool quitRequested = false; // raised by Escape

    // Loads and sets up everything after the video mode is up (sdlInit).
    void startUp();
    // One pass of the main loop; returns false after the pass in which quit arrived.
    bool runPass();
    // Draws one frame of the scene and flips the screen.
    void DrawScene();
    // The main loop until Escape.
    void run();

private:
    void pollQuit();
};
