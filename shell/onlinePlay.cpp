#include "shell/onlinePlay.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include <unistd.h>

#include "config/controlsConfig.h"
#include "config/options.h"
#include "config/replayPlace.h"
#include "platform/displayMode.h"
#include "platform/gameClock.h"
#include "shell/game.h"
#include "shell/onlineMatch.h"
#include "shell/onlineSetup.h"
#include "shell/selectScreen.h"
#include "shell/shell.h"
#include "shell/statusScreen.h"

namespace {

constexpr Uint32 kShowConnectedMs = 1500; // "connected" and who fights whom stay this long

std::string capitals(std::string s) {
    for (char& c : s)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

uint64_t newSeed() {
    return (static_cast<uint64_t>(time(nullptr)) << 20) ^ SDL_GetTicks() ^
           (static_cast<uint64_t>(getpid()) << 40);
}

// The character this player plays: named on the command line, else picked on the select
// screen (only by this player: the other picks on their own machine). Empty when the
// player left there.
std::string ownCharacter(const gameOptions& options, const std::vector<std::string>& roster,
                         const controlsConfig& controls) {
    if (options.playerNamed)
        return options.player;
    selectScreen select;
    if (roster.size() < 2 || !select.load(options.dataDir, roster))
        return roster.empty() ? "Brawler" : roster[0];
    if (!select.run(screen, controls, false, true))
        return "";
    return select.picked[0];
}

// Who fights whom and how fast the line is, for a moment before the match.
bool showConnected(statusScreen& status, const onlineSetup& net) {
    uint32_t ms = net.link.roundTrip(net.peer);
    printf("online: connected: %u ms\n", ms);
    std::string line = "CONNECTED: " + std::to_string(ms) + " MS";
    std::string who = capitals(net.start.characters[0]) + " VS " + capitals(net.start.characters[1]);
    for (Uint32 since = SDL_GetTicks(); SDL_GetTicks() - since < kShowConnectedMs;) {
        if (!status.show(screen, line, who))
            return false;
        SDL_Delay(15);
    }
    return true;
}

// One match on an agreed connection; how it ended.
onlineMatch::ending playMatch(const gameOptions& options, onlineSetup& net,
                              const controlsConfig& controls,
                              const std::function<void(Game&)>& setUp,
                              const std::function<void(const Game&)>& keep, bool& outOfStep) {
    Game game;
    setUp(game);
    game.controls = controls;
    game.matchMode = true;
    game.versusMode = true;
    game.playerCharacter = net.start.characters[0];
    game.opponentCharacter = net.start.characters[1];
    game.matchRounds = net.start.rounds;
    game.matchStartHp = net.start.startHp;
    game.fightSeed = net.start.seed;
    game.startUp();
    game.online = std::make_unique<onlineMatch>();
    onlineMatch& o = *game.online;
    o.link = &net.link;
    o.peer = net.peer;
    o.localSide = options.hosting ? 0 : 1;
    o.inputDelay = options.inputDelay;
    o.dumpFolder = replayFolder();
    if (const char* at = getenv("BRAWLER_TEST_DESYNC_AT"))
        o.perturbAt = atol(at);
    o.begin(game);
    game.run();
    printf("online: %s\n", o.summary().c_str());
    printf("online: %s\n", o.rollbackFigures().c_str());
    keep(game);
    outOfStep = o.how == onlineMatch::ending::desync;
    return o.how;
}

} // namespace

int playOnline(const gameOptions& options, const std::vector<std::string>& roster,
               const controlsConfig& controls, const std::function<void(Game&)>& setUp,
               const std::function<void(const Game&)>& keep) {
    std::string character = ownCharacter(options, roster, controls);
    if (character.empty())
        return 0;
    watchFullscreenKeys();
    statusScreen status;
    status.load(options.dataDir);
    helloMessage mine = onlineSetup::hello(options.dataDir, roster, character);
    std::string said; // what ended the last match, shown while waiting for the next
    for (;;) {
        onlineSetup net;
        auto tick = [&](const std::string& line) {
            std::string below = said.empty() ? "ESCAPE: QUIT" : said;
            return status.show(screen, capitals(line), capitals(below));
        };
        std::string error;
        startMessage proposed;
        proposed.seed = newSeed();
        proposed.rounds = static_cast<uint8_t>(options.rounds);
        bool agreed = options.hosting
                          ? net.hostMatch(static_cast<uint16_t>(options.port), mine, proposed,
                                          tick, error)
                          : net.joinMatch(options.joinHost, static_cast<uint16_t>(options.port),
                                          mine, tick, error);
        if (!agreed) {
            if (error.empty())
                return 0; // the player left
            fprintf(stderr, "brawler: %s\n", error.c_str());
            return 1;
        }
        if (!showConnected(status, net))
            return 0;
        bool outOfStep = false;
        onlineMatch::ending how = playMatch(options, net, controls, setUp, keep, outOfStep);
        if (outOfStep)
            return 1;
        if (how == onlineMatch::ending::left)
            return 0;
        if (!options.hosting)
            return how == onlineMatch::ending::opponentLeft ? 0 : 1;
        said = how == onlineMatch::ending::opponentLeft ? "your opponent left"
                                                        : "your opponent is gone";
        net.link.flush();
    }
}
