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
    case optionsResult::version:
        printf("%s", versionText().c_str());
        return 0;
    case optionsResult::wrong:
        fprintf(stderr, "%s\n%s", message.c_str(), usageText().c_str());
        return 2;
    case optionsResult::play:
        break;
    }
    // Problems go to standard error, so a quiet game still says what stopped it.
    if (options.quiet && !freopen("/dev/null", "w", stdout))
        fprintf(stderr, "brawler: warning: --quiet could not silence the trace\n");
    sdlInit(options.scale, options.fullscreen);
    Game game;
    game.dataRoot = options.dataDir;
    game.matchMode = !options.classic;
    game.matchRounds = options.rounds;
    game.versusMode = options.versus;
    game.uncapped = options.uncapped;
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
