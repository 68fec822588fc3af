#include "shell/game.h"

#include "shell/shell.h"

void Game::startUp() {
    vikingbase.initR(dataRoot + "/run");
    sunbase.initR(dataRoot + "/particle/fireball1");

    sun.init(&sunbase, screen);
    sun.x = 20;
    sun.y = 100;
    sun.adjustPos(20, 100, true);
    sun.speed = 3.0f;
    sun2.init(&sunbase, screen);
    sun2.x = 0;
    sun2.y = 100;
    sun2.adjustPos(0, 100, true);
    sun2.speed = 3.0f;
    sun3.init(&sunbase, screen);
    sun3.speed = 3.0f;
    sun3.x = 0;
    sun3.y = 150;

    vikings2.init(&vikingbase, screen);
    vikings2.x = 350;
    vikings2.y = 300;
    vikings2.speed = 1.5f;

    SDL_ShowCursor(0);

    InitImages(dataRoot);
    DrawBG();
}

// Stands in for the player's controller until it exists: only Escape matters.
void Game::pollQuit() {
    while (SDL_PollEvent(&event))
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
            quitRequested = true;
}

bool Game::runPass() {
    pollQuit();
    bool quit = quitRequested;
    DrawScene();
    return !quit;
}

void Game::DrawScene() { SDL_Flip(screen); }

void Game::run() {
    while (runPass()) {
    }
}
