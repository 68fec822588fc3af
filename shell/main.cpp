#include "SDL.h"

#include "shell/game.h"
#include "shell/shell.h"

// Command-line arguments are accepted and ignored.
int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    sdlInit();
    Game game;
    game.startUp();
    game.run();
    return 0;
}
