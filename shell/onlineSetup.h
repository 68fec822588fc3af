#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "net/netLink.h"
#include "net/netMessage.h"

// Before an online match: the hello each game sends (its version, a fingerprint of its
// data folder and of each character's), what keeps two games from playing together,
// and the calls that wait for the other player. The host takes the first player whose
// game and data are the same as its own, and tells them the match: seed, rounds and
// both characters. A game that differs is refused on both sides with the reason.
class onlineSetup {
public:
    static constexpr uint16_t kDefaultPort = 7650;
    static constexpr size_t kMostWatchers = 4;
    static constexpr uint32_t kMostConnectMs = 5000; // a call with no answer ends

    netLink link;              // the connection, kept for the match
    int peer = -1;             // the other player's slot on it
    startMessage start;        // the match both sides agreed on
    std::string refused;       // why the host refused us, or the last player it refused
    std::vector<int> watchers; // the host's watchers' slots on the link
    helloMessage own;          // the host's own hello, what a watcher's must match

    // The hello of this game: its version line, fingerprints of `dataRoot` and of each
    // character of `roster`, and the character it plays.
    static helloMessage hello(const std::string& dataRoot, const std::vector<std::string>& roster,
                              const std::string& character);
    // Empty when two games can play together; else why not, naming what differs, in
    // words both sides can print: `here` is the host's hello, `there` the joining one's.
    static std::string whyNot(const helloMessage& here, const helloMessage& there);

    // `tick` is called between waits with what is happening; it returns false to give up
    // (Escape, or a test's time running out).
    using tickFn = std::function<bool(const std::string& status)>;

    // Takes calls on `port` until a player can play; false when `tick` gave up, or with
    // `error` when the port cannot be used.
    bool hostMatch(uint16_t port, const helloMessage& mine, const startMessage& proposed,
                   const tickFn& tick, std::string& error);
    // Anything from a slot that is not the player's, at the host: a watcher's hello is
    // taken (up to kMostWatchers, same game and data) or refused with the reason, a
    // second player is refused, a watcher that leaves is forgotten.
    void otherPeer(const netLink::event& e);
    // Calls the host; false with `error` (the host's refusal, or no answer).
    bool joinMatch(const std::string& hostName, uint16_t port, const helloMessage& mine,
                   const tickFn& tick, std::string& error);

private:
    void refuse(int peer, const std::string& why);
};
