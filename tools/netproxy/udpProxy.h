#pragma once

#include <netinet/in.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/netproxy/lossModel.h"

// What happened to the datagrams going one way.
struct DirectionCounts {
    long datagrams = 0;  // arrived at the proxy to go this way
    long dropped = 0;    // never sent on: lost, in an outage, too large, over the queue
    long duplicated = 0; // sent on twice
    long reordered = 0;  // held back so that later ones overtake them
    long bytes = 0;      // bytes of the datagrams that arrived
    long tooLarge = 0;   // of the dropped, those over kMaxDatagram bytes
    long queueFull = 0;  // of the dropped, those that found kMaxPending waiting
};

// A UDP proxy on loopback between game clients and one server, with the impairment of a
// bad link. Clients send to 127.0.0.1:listenPort; each is told apart by its source port
// and gets an upstream socket of its own, so the server at 127.0.0.1:serverPort sees each
// as a peer of its own, and the server's replies go back to the client they came for.
// Nothing is ever sent anywhere but 127.0.0.1.
//
// Time is milliseconds since the proxy started, handed in by the caller: run() reads
// the real clock, a test may hand in its own.
class UdpProxy {
public:
    static constexpr long kMaxDatagram = 1500; // bytes; larger ones are dropped
    static constexpr int kMaxPeers = 8;
    static constexpr size_t kMaxPending = 4096; // datagrams waiting for their time

    // listenPort 0 picks a free port (see listenPort()). Events (a new client, one
    // refused) are written to `events`, every datagram's fate to `datagrams`; either
    // may be null.
    UdpProxy(int listenPort, int serverPort, const Impairment& impairment, uint64_t seed,
             FILE* events = nullptr, FILE* datagrams = nullptr);
    ~UdpProxy();
    UdpProxy(const UdpProxy&) = delete;
    UdpProxy& operator=(const UdpProxy&) = delete;

    // Binds the listening socket; false with the reason when it cannot.
    bool open(std::string& error);
    int listenPort() const { return listenPort_; }

    // Takes in every datagram that has arrived by `nowMs`, then sends on every one whose
    // time has come. Returns the ms until the next one is due, or -1 when none waits.
    long step(long nowMs);
    // Steps on the real clock until `durationMs` have passed or `stop` is set.
    void run(long durationMs, const volatile std::sig_atomic_t& stop);

    const DirectionCounts& toServer() const { return toServer_; }
    const DirectionCounts& toClients() const { return toClients_; }
    size_t pending() const { return pending_.size(); }
    // One line per direction, each ending in a newline.
    std::string summary() const;

private:
    struct Peer {
        sockaddr_in client{}; // where its datagrams come from and replies go
        int upstream = -1;    // its own socket, connected to the server
    };
    // A datagram waiting for its time.
    struct Waiting {
        bool toServer = true;
        int peer = 0; // index into peers_
        std::vector<uint8_t> bytes;
    };

    void readClients(long nowMs);
    void readServer(int peer, long nowMs);
    // The peer index for a client address, adding it when new; -1 when refused.
    int peerFor(const sockaddr_in& from);
    void take(bool toServer, int peer, const uint8_t* bytes, long size, long nowMs);
    void sendDue(long nowMs);

    int listenPort_;
    int serverPort_;
    LossModel model_;
    FILE* events_;    // not owned
    FILE* datagrams_; // not owned
    int listen_ = -1;
    std::vector<Peer> peers_; // owns their upstream sockets
    bool refusedSaid_ = false;
    // Waiting datagrams by (due ms, arrival order), so equal times keep their order.
    std::map<std::pair<long, uint64_t>, Waiting> pending_;
    uint64_t arrivals_ = 0;
    DirectionCounts toServer_;
    DirectionCounts toClients_;
};
