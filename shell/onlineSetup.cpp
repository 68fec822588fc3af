#include "shell/onlineSetup.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "config/options.h"
#include "datafile/dataFingerprint.h"
#include "platform/gameClock.h"

namespace {

constexpr uint32_t kPollMs = 15;

// The version line; a test may pretend to be another version.
std::string gameVersion() {
    if (const char* v = getenv("BRAWLER_TEST_GAME_VERSION"))
        return v;
    std::string text = versionText();
    return text.substr(0, text.find('\n'));
}

const characterPrint* findCharacter(const helloMessage& h, const std::string& name) {
    for (const characterPrint& c : h.characters)
        if (c.name == name)
            return &c;
    return nullptr;
}

} // namespace

helloMessage onlineSetup::hello(const std::string& dataRoot, const std::vector<std::string>& roster,
                                const std::string& character) {
    helloMessage h;
    h.game = gameVersion();
    h.data = dataFingerprint(dataRoot);
    for (const std::string& name : roster) {
        if (h.characters.size() >= static_cast<size_t>(kMostCharacters))
            break;
        h.characters.push_back({name, dataFingerprint(dataRoot + "/" + name)});
    }
    h.character = character;
    return h;
}

// Said alike on both sides: the host's game is `here`, the joining game's `there`.
std::string onlineSetup::whyNot(const helloMessage& here, const helloMessage& there) {
    if (there.protocol != here.protocol)
        return "the host speaks network protocol " + std::to_string(here.protocol) +
               ", the joining game " + std::to_string(there.protocol);
    if (there.game != here.game)
        return "the host's game is \"" + here.game + "\", the joining game \"" + there.game + "\"";
    // A character named in the hello (the runner's scripts name theirs; the game's players
    // pick theirs on the select screen afterwards) must be on both sides.
    for (const std::string& name : {here.character, there.character}) {
        if (name.empty())
            continue;
        if (!findCharacter(here, name))
            return "no character \"" + name + "\" in the host's data folder";
        if (!findCharacter(there, name))
            return "no character \"" + name + "\" in the joining game's data folder";
    }
    for (const characterPrint& c : here.characters) {
        const characterPrint* other = findCharacter(there, c.name);
        if (!other)
            return "the character \"" + c.name + "\" is only in the host's data folder";
        if (other->fingerprint != c.fingerprint)
            return "the character \"" + c.name + "\" differs between the two data folders";
    }
    for (const characterPrint& c : there.characters)
        if (!findCharacter(here, c.name))
            return "the character \"" + c.name + "\" is only in the joining game's data folder";
    if (there.data != here.data)
        return "the two data folders differ outside the characters (data " + here.data +
               " at the host, " + there.data + " joining)";
    return "";
}

bool onlineSetup::hostMatch(uint16_t port, const helloMessage& mine, const startMessage& proposed,
                            const tickFn& tick, std::string& error) {
    if (!link.host(port, error))
        return false;
    own = mine;
    std::string waiting = "waiting for a player on port " + std::to_string(port);
    printf("online: %s\n", waiting.c_str());
    fflush(stdout);
    for (;;) {
        if (!tick(waiting))
            return false;
        netLink::event e;
        while (link.poll(e, kPollMs)) {
            if (e.what != netLink::event::message) {
                otherPeer(e);
                continue;
            }
            const uint8_t* data = reinterpret_cast<const uint8_t*>(e.bytes.data());
            helloMessage theirs;
            std::string why;
            if (!decode(data, e.bytes.size(), theirs)) {
                why = "that is not a brawler game's hello";
            } else if (theirs.watcher) {
                otherPeer(e);
                continue;
            } else {
                why = whyNot(mine, theirs);
            }
            if (!why.empty()) {
                refused = why;
                printf("online: refused a player: %s\n", why.c_str());
                refuse(e.peer, why);
                continue;
            }
            peer = e.peer;
            start = proposed;
            start.characters[0] = mine.character;
            start.characters[1] = theirs.character;
            link.send(peer, encode(start), true);
            link.flush();
            return true;
        }
    }
}

void onlineSetup::refuse(int peer, const std::string& why) {
    fflush(stdout);
    link.send(peer, encode(refuseMessage{why}), true);
    link.drop(peer);
}

void onlineSetup::otherPeer(const netLink::event& e) {
    if (e.what == netLink::event::disconnected) {
        auto at = std::find(watchers.begin(), watchers.end(), e.peer);
        if (at != watchers.end()) {
            watchers.erase(at);
            printf("online: a watcher left (%zu watching)\n", watchers.size());
        }
        return;
    }
    if (e.what != netLink::event::message ||
        std::find(watchers.begin(), watchers.end(), e.peer) != watchers.end())
        return;
    const uint8_t* data = reinterpret_cast<const uint8_t*>(e.bytes.data());
    helloMessage theirs;
    if (!decode(data, e.bytes.size(), theirs) || !theirs.watcher) {
        refuse(e.peer, "a match is already on");
        return;
    }
    std::string why = whyNot(own, theirs);
    if (why.empty() && watchers.size() >= kMostWatchers)
        why = "four are watching already";
    if (!why.empty()) {
        printf("online: refused a watcher: %s\n", why.c_str());
        refuse(e.peer, why);
        return;
    }
    watchers.push_back(e.peer);
    printf("online: a watcher joined (%zu watching)\n", watchers.size());
    fflush(stdout);
}

bool onlineSetup::joinMatch(const std::string& hostName, uint16_t port, const helloMessage& mine,
                            const tickFn& tick, std::string& error) {
    if (!link.join(hostName, port, error))
        return false;
    std::string calling = "connecting to " + hostName;
    printf("online: %s\n", calling.c_str());
    fflush(stdout);
    Uint32 since = unpinnedTicks();
    bool answered = false;
    for (;;) {
        if (!tick(calling))
            return false;
        if (!answered && unpinnedTicks() - since >= kMostConnectMs) {
            error = "no answer from " + hostName + " on UDP port " + std::to_string(port);
            return false;
        }
        netLink::event e;
        while (link.poll(e, kPollMs)) {
            if (e.what == netLink::event::connected) {
                answered = true;
                peer = e.peer;
                link.send(peer, encode(mine), true);
                continue;
            }
            if (e.what == netLink::event::disconnected) {
                error = refused.empty() ? hostName + " closed the connection"
                                        : "refused by " + hostName + ": " + refused;
                return false;
            }
            const uint8_t* data = reinterpret_cast<const uint8_t*>(e.bytes.data());
            refuseMessage no;
            if (decode(data, e.bytes.size(), no)) {
                refused = no.reason;
                error = "refused by " + hostName + ": " + no.reason;
                return false;
            }
            if (decode(data, e.bytes.size(), start))
                return true;
        }
    }
}
