#include "shell/game.h"

#include <cstdio>
#include <cstdlib>

#include "shell/gameClock.h"
#include "shell/shell.h"
#include "shell/startupChecks.h"

void Game::loadCharacter(const std::string& folder) {
    animations.loadAll(folder);
    moves.loadAll(folder);
    checkCharacter(animations, moves);
}

void Game::placeFighter(Fighter& f, int x, int y) {
    f.initS(&animations, screen);
    f.speed = 3.0f;
    f.x = x;
    f.y = y;
    f.setHP(1000, 1000);
}

void Game::listJoysticks() {
    int count = SDL_NumJoysticks();
    printf("%i joysticks were found.\n\n", count);
    if (count < 1)
        return;
    printf("The names of the joysticks are:\n");
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        const char* name = SDL_JoystickName(i);
        printf(" %s\n", name ? name : "");
    }
}

void Game::startUp() {
    requireDataFolder(dataRoot);
    vikingbase.initR(dataRoot + "/run");
    sunbase.initR(dataRoot + "/particle/fireball1");
    loadCharacter(dataRoot + "/Brawler");

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

    placeFighter(vikings1, 50, 300);
    placeFighter(fighter2, 550, 300);

    vikings2.init(&vikingbase, screen);
    vikings2.x = 350;
    vikings2.y = 300;
    vikings2.speed = 1.5f;

    SDL_ShowCursor(0);

    checker = std::make_unique<inputChecker>(&moves, &vikings1);
    checker->printB();

    printf("making an Sset\n");
    sounds = std::make_unique<soundSet>();
    sounds->getList(dataRoot + "/soundSet");
    sounds->addToList(dataRoot + "/Brawler/sound");
    sounds->display();
    fillDefaultPad(GPad);
    listJoysticks();
    particleDefs.addList("default", screen, dataRoot);

    InitImages(dataRoot);
    DrawBG();

    targ.setTarget(&fighter2);
    targ2.setTarget(&vikings1);
}

// Stands in for the player's controller until it exists: Escape ends the game and
// 'j' toggles the debug overlay.
void Game::pollInput() {
    while (SDL_PollEvent(&event)) {
        if (event.type != SDL_KEYDOWN)
            continue;
        if (event.key.keysym.sym == SDLK_ESCAPE)
            quitRequested = true;
        if (event.key.keysym.sym == SDLK_j)
            debugging = !debugging;
    }
}

// Stands in for the controllers' movement step until they exist: about every 10 ms
// the fighters face each other, fall and land, and stay on the stage, and each side's
// step moves the particles once.
void Game::standInMovementStep() {
    int now = static_cast<int>(gameTicks());
    stepAccum += static_cast<float>((now - lastStepTick) * 0.1);
    lastStepTick = now;
    if (stepAccum <= 1.0f)
        return;
    vikings1.setDir(fighter2.x > vikings1.x);
    fighter2.setDir(vikings1.x > fighter2.x);
    for (Fighter* f : {&vikings1, &fighter2}) {
        f->Gravity();
        f->boundary();
        pList.update();
    }
    stepAccum = 0;
}

bool Game::runPass() {
    pollInput();
    standInMovementStep();
    bool quit = quitRequested;
    DrawScene();
    return !quit;
}

void Game::DrawScene() {
    vikings1.clearBG();
    fighter2.clearBG();
    pList.clearBG();
    vikings1.updateBG();
    fighter2.updateBG();
    pList.updateBG();
    vikings1.draw();
    fighter2.draw();
    pList.draw();
    if (debugging) {
        vikings1.drawColBoxes();
        fighter2.drawColBoxes();
        pList.debug();
    }
    SDL_Flip(screen);
}

void Game::run() {
    while (runPass()) {
    }
}
