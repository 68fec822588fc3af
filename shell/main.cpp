#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SDL.h"

#include "config/options.h"
#include "shell/game.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
    gameOptions options;
    std::string message;
    switch (readOptions(argc, argv, options, message)) {
    case optionsResult::help:
        printf("%s", usageText().c_str());
        return 0;
    case optionsResult::wrong:
        fprintf(stderr, "%s\n%s", message.c_str(), usageText().c_str());
        return 2;
    case optionsResult::play:
        break;
    }
    sdlInit();
    Game game;
    game.matchMode = !options.classic;
    game.matchRounds = options.rounds;
    // For the window tests only: a match whose rounds start with fewer hit points, so a
    // knockout comes within seconds. Not an option a player is offered.
    if (const char* hp = getenv("BRAWLER_TEST_START_HP"))
        game.matchStartHp = std::max(1, std::min(1000, atoi(hp)));
    // BRAWLER_PRESENT=flip presents the whole screen every pass, the slow way, to
    // compare it with presenting only what changed.
    const char* present = getenv("BRAWLER_PRESENT");
    game.presenter.presentAll = present && strcmp(present, "flip") == 0;
    game.startUp();
    game.run();
    return 0;
}
