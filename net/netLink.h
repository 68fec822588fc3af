#pragma once

#include <cstdint>
#include <string>

#include <enet/enet.h>

// One end of an online match's connection, over ENet on UDP: a host that takes calls
// on a port, or a side that calls one. Channel 0 is unsequenced and carries input
// frames (each message repeats what was not acknowledged, so a lost one costs
// nothing); channel 1 is reliable and carries everything else. A peer that sends
// nothing for 5 s is dropped. Peers are numbered by ENet's slots.
class netLink {
public:
    static constexpr int kMostPeers = 6; // a player, four watchers, one to refuse
    static constexpr uint32_t kDropAfterMs = 5000;

    struct event {
        enum kind { none, connected, disconnected, message } what = none;
        int peer = -1;     // the peer it came from
        std::string bytes; // a message's bytes
    };

    netLink() = default;
    ~netLink();
    netLink(const netLink&) = delete;
    netLink& operator=(const netLink&) = delete;

    // Takes calls on UDP `port` of every address; false with `error` when it cannot.
    bool host(uint16_t port, std::string& error);
    // Calls HOST (a name or an IPv4 address) on `port`; the connection is made once
    // poll() gives `connected`. False with `error` when the name does not resolve.
    bool join(const std::string& hostName, uint16_t port, std::string& error);
    // The next thing that happened, waiting up to `waitMs` for it; false for nothing.
    bool poll(event& e, uint32_t waitMs);
    void send(int peer, const std::string& bytes, bool reliable);
    // Sends what is queued now rather than at the next poll.
    void flush();
    // Ends a peer's connection, after what was sent to it.
    void drop(int peer);
    // The peer's round trip, as ENet measures it (ms).
    uint32_t roundTrip(int peer) const;
    // Bytes sent and received since the start.
    uint64_t bytesSent() const;
    uint64_t bytesReceived() const;
    bool connected(int peer) const;
    // Every reliable message to the peer has been acknowledged by it (and nothing waits
    // to go out).
    bool allDelivered(int peer) const;

private:
    ENetPeer* peerAt(int peer) const;
    ENetHost* host_ = nullptr;
};
