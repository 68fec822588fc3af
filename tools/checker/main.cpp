// brawler-check: reports every problem of a data folder; see checkerApp.
#include <cstdio>
#include <string>
#include <vector>

#include "SDL.h"

#include "tools/checker/checkerApp.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string output;
    int code = checkerApp().run(args, output);
    // Release SDL's own state, as the game does at exit.
    SDL_Quit();
    fputs(output.c_str(), stdout);
    return code;
}
