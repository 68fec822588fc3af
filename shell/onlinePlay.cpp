#include "shell/onlinePlay.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include <unistd.h>

#include "config/controlsConfig.h"
#include "config/options.h"
#include "config/replayPlace.h"
#include "match/replayFile.h"
#include "platform/displayMode.h"
#include "platform/gameClock.h"
#include "shell/game.h"
#include "shell/onlineMatch.h"
#include "shell/onlineSetup.h"
#include "shell/selectScreen.h"
#include "shell/shell.h"
#include "shell/statusScreen.h"

namespace {

constexpr Uint32 kShowConnectedMs = 1200; // "connected" and the round trip stay this long

std::string capitals(std::string s) {
    for (char& c : s)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

uint64_t newSeed() {
    return (static_cast<uint64_t>(time(nullptr)) << 20) ^ SDL_GetTicks() ^
           (static_cast<uint64_t>(getpid()) << 40);
}

bool showConnected(statusScreen& status, const onlineSetup& net) {
    uint32_t ms = net.link.roundTrip(net.peer);
    printf("online: connected: %u ms\n", ms);
    std::string line = "CONNECTED: " + std::to_string(ms) + " MS";
    for (Uint32 since = SDL_GetTicks(); SDL_GetTicks() - since < kShowConnectedMs;) {
        if (!status.show(screen, line, "CHOOSE YOUR FIGHTER"))
            return false;
        SDL_Delay(15);
    }
    return true;
}

// What the select screen came to online.
enum class picking { done, left, otherLeft, otherGone };

// Both players pick on their own machines, each seeing the other's cursor: the picks go
// into the match, host's side first.
picking pickOnline(const gameOptions& options, const std::vector<std::string>& roster,
                   const controlsConfig& controls, onlineSetup& net, int localSide,
                   std::string picked[2]) {
    selectScreen select;
    if (!select.load(options.dataDir, roster))
        return picking::left; // start-up will say what is missing
    if (options.playerNamed)
        select.preselect(localSide, options.player);
    selectPeer peer;
    peer.localSide = localSide;
    peer.tell = [&](int cursor, bool chosen) {
        choiceMessage m;
        m.cursor = static_cast<uint8_t>(cursor);
        m.picked = chosen;
        net.link.send(net.peer, encode(m), true);
    };
    bool dropped = false; // the connection ended rather than the other player leaving
    peer.hear = [&](int& cursor, bool& chosen) {
        netLink::event e;
        while (net.link.poll(e, 0)) {
            if (e.peer != net.peer) {
                net.otherPeer(e); // a watcher may come in now; nobody else
                continue;
            }
            if (e.what == netLink::event::disconnected) {
                dropped = true;
                return false;
            }
            const uint8_t* data = reinterpret_cast<const uint8_t*>(e.bytes.data());
            choiceMessage c;
            quitMessage q;
            if (decode(data, e.bytes.size(), c)) {
                cursor = c.cursor;
                chosen = c.picked != 0;
            } else if (decode(data, e.bytes.size(), q) && !q.back) {
                return false;
            }
        }
        return true;
    };
    if (!select.run(screen, controls, false, &peer)) {
        if (peer.gone)
            return dropped ? picking::otherGone : picking::otherLeft;
        net.link.send(net.peer, encode(quitMessage{}), true);
        net.link.flush();
        return picking::left;
    }
    picked[0] = select.picked[0];
    picked[1] = select.picked[1];
    return picking::done;
}

// One match on an agreed connection; how it ended.
onlineMatch::ending playMatch(const gameOptions& options, onlineSetup& net,
                              const controlsConfig& controls, const std::string picked[2],
                              uint16_t number, const std::function<void(Game&)>& setUp,
                              const std::function<void(const Game&)>& keep) {
    Game game;
    setUp(game);
    game.controls = controls;
    game.matchMode = true;
    game.versusMode = true;
    // Backspace after the match takes both back to the select screen.
    game.selectable = true;
    game.playerCharacter = picked[0];
    game.opponentCharacter = picked[1];
    game.matchRounds = net.start.rounds;
    game.roundSeconds = net.start.roundSeconds;
    game.matchStartHp = net.start.startHp;
    game.fightSeed = net.start.seed + number;
    game.startUp();
    game.online = std::make_unique<onlineMatch>();
    onlineMatch& o = *game.online;
    o.link = &net.link;
    o.peer = net.peer;
    o.localSide = options.hosting ? 0 : 1;
    o.matchNumber = number;
    if (options.hosting) {
        o.host = &net;
        o.agreed = net.start;
        o.agreed.match = number;
        o.agreed.seed = game.fightSeed;
        o.agreed.characters[0] = picked[0];
        o.agreed.characters[1] = picked[1];
    }
    o.inputDelay = options.inputDelay;
    o.dumpFolder = replayFolder();
    if (const char* at = getenv("BRAWLER_TEST_DESYNC_AT"))
        o.perturbAt = atol(at);
    o.begin(game);
    game.run();
    printf("online: ended: %s\nonline: %s\n", onlineMatch::endingName(o.how), o.summary().c_str());
    printf("online: %s\n", o.rollbackFigures().c_str());
    keep(game);
    return o.how;
}

// The player and the other on one connection: select, match, and again while both go
// back to the select screen. How it ended, for the host to wait again or not.
onlineMatch::ending playConnected(const gameOptions& options,
                                  const std::vector<std::string>& roster,
                                  const controlsConfig& controls, onlineSetup& net,
                                  const std::function<void(Game&)>& setUp,
                                  const std::function<void(const Game&)>& keep) {
    int localSide = options.hosting ? 0 : 1;
    for (uint16_t number = 0;; ++number) {
        std::string picked[2];
        switch (pickOnline(options, roster, controls, net, localSide, picked)) {
        case picking::left:
            return onlineMatch::ending::left;
        case picking::otherLeft:
            printf("online: your opponent left\n");
            return onlineMatch::ending::opponentLeft;
        case picking::otherGone:
            printf("online: your opponent is gone\n");
            return onlineMatch::ending::opponentGone;
        case picking::done:
            break;
        }
        onlineMatch::ending how = playMatch(options, net, controls, picked, number, setUp, keep);
        if (how != onlineMatch::ending::backToSelect)
            return how;
    }
}

// Watching the host's matches, one after another, each from the step it had reached
// (caught up at four times the speed) to its end.
int watchMatches(const gameOptions& options, const std::vector<std::string>& roster,
                 const controlsConfig& controls, statusScreen& status,
                 const std::function<void(Game&)>& setUp) {
    onlineSetup net;
    helloMessage mine = onlineSetup::hello(options.dataDir, roster, "");
    mine.watcher = 1;
    std::string error;
    std::string waiting = "watching " + options.joinHost + ": waiting for a match";
    auto tick = [&](const std::string&) {
        return status.show(screen, capitals(waiting), "ESCAPE: QUIT");
    };
    if (!net.joinMatch(options.joinHost, static_cast<uint16_t>(options.port), mine, tick, error)) {
        if (error.empty())
            return 0;
        fprintf(stderr, "brawler: %s\n", error.c_str());
        return 1;
    }
    for (;;) {
        printf("online: watching match %d: %s against %s\n", net.start.match,
               net.start.characters[0].c_str(), net.start.characters[1].c_str());
        Game game;
        setUp(game);
        game.controls = controls;
        replayFile live;
        live.player = net.start.characters[0];
        live.opponent = net.start.characters[1];
        live.rounds = net.start.rounds;
        live.roundSeconds = net.start.roundSeconds;
        live.versus = true;
        live.startHp = net.start.startHp;
        live.seed = net.start.seed;
        game.watch(live);
        game.startUp();
        game.online = std::make_unique<onlineMatch>();
        onlineMatch& o = *game.online;
        o.link = &net.link;
        o.peer = net.peer;
        o.agreed = net.start;
        o.watch(game, &live);
        game.run();
        if (o.how == onlineMatch::ending::opponentGone)
            return 1;
        if (o.how == onlineMatch::ending::playing)
            return 0; // Escape
        // The next match, when the host plays one.
        bool next = false;
        while (!next) {
            if (!status.show(screen, capitals(waiting), "ESCAPE: QUIT"))
                return 0;
            netLink::event e;
            while (!next && net.link.poll(e, 15)) {
                // Between matches the host may close: the watching is over.
                if (e.what == netLink::event::disconnected) {
                    printf("online: the host has closed\n");
                    return 0;
                }
                const uint8_t* data = reinterpret_cast<const uint8_t*>(e.bytes.data());
                startMessage start;
                if (e.what == netLink::event::message && decode(data, e.bytes.size(), start) &&
                    start.match != o.agreed.match) {
                    net.start = start;
                    next = true;
                }
            }
        }
    }
}

} // namespace

int playOnline(const gameOptions& options, const std::vector<std::string>& roster,
               const controlsConfig& controls, const std::function<void(Game&)>& setUp,
               const std::function<void(const Game&)>& keep) {
    watchFullscreenKeys();
    statusScreen status;
    status.load(options.dataDir);
    if (options.watching)
        return watchMatches(options, roster, controls, status, setUp);
    // The character is picked after connecting, on the select screen both players see.
    helloMessage mine = onlineSetup::hello(options.dataDir, roster, "");
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
        proposed.roundSeconds = static_cast<uint8_t>(options.roundSeconds);
        bool agreed =
            options.hosting
                ? net.hostMatch(static_cast<uint16_t>(options.port), mine, proposed, tick, error)
                : net.joinMatch(options.joinHost, static_cast<uint16_t>(options.port), mine, tick,
                                error);
        if (!agreed) {
            if (error.empty())
                return 0; // the player left
            fprintf(stderr, "brawler: %s\n", error.c_str());
            return 1;
        }
        if (!showConnected(status, net))
            return 0;
        onlineMatch::ending how = playConnected(options, roster, controls, net, setUp, keep);
        if (how == onlineMatch::ending::desync)
            return 1;
        if (how == onlineMatch::ending::left)
            return 0;
        if (!options.hosting)
            return how == onlineMatch::ending::opponentLeft ? 0 : 1;
        said = onlineMatch::endingName(how);
        net.link.flush();
    }
}
