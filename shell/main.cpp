#include <cstdlib>
#include <cstring>

#include "SDL.h"

#include "shell/game.h"
#include "shell/shell.h"

// Command-line arguments are accepted and ignored.
int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    sdlInit();
    Game game;
    // BRAWLER_PRESENT=flip presents the whole screen every pass, the slow way, to
    // compare it with presenting only what changed.
    const char* present = getenv("BRAWLER_PRESENT");
    game.presenter.presentAll = present && strcmp(present, "flip") == 0;
    game.startUp();
    game.run();
    return 0;
}
