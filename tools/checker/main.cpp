// brawler-check: reports every problem of a data folder; see checkerApp.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/checker/checkerApp.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string output;
    int code = checkerApp().run(args, output);
    // SDL stays up until the process ends: sdl12-compat's SDL_Quit forgets the screen
    // surface without freeing it, which the sanitized build's leak check reports (the
    // game keeps its screen in a global, so there it stays reachable).
    fputs(output.c_str(), stdout);
    return code;
}
