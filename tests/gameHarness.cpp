#include "tests/gameHarness.h"

#include "ai/randomNumber.h"
#include "platform/keyFeed.h"
#include "shell/shell.h"
#include "tests/testSupport.h"

void GameHarness::start(bool opponentActive, unsigned seed) {
    screen = testsupport::videoScreen();
    game.dataRoot = std::string(BRAWLER_SOURCE_DIR) + "/data";
    testsupport::captureStdout([&] { game.startUp(); });
    g_randomNumber.seed(seed);
    if (!opponentActive)
        freezeOpponent();
    for (SDLKey k : {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN})
        hold(k, false);
    run(600);
    log.clear();
}

bool GameHarness::pass(Uint32 ms) {
    clock.advance(ms);
    bool more = true;
    log += testsupport::captureStdout([&] { more = game.runPass(); });
    return more;
}

void GameHarness::run(Uint32 ms, Uint32 step) {
    for (Uint32 t = 0; t < ms; t += step)
        pass(step);
}

void GameHarness::press(SDLKey key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

void GameHarness::hold(SDLKey key, bool down) {
    feedKeyHeld(key, down);
}

void GameHarness::freezeOpponent() {
    game.basicAI.standIdle();
}

void GameHarness::placeFighters(int x1, int x2) {
    game.vikings1.x = x1;
    game.fighter2.x = x2;
    game.vikings1.setDir(x2 > x1);
    game.fighter2.setDir(x1 > x2);
}
