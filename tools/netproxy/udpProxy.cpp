#include "tools/netproxy/udpProxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

// Reads per socket per step: enough to empty a busy socket, and a bound on one step.
const int kReadsPerStep = 512;

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    return a;
}

bool isLoopback(const sockaddr_in& a) {
    return a.sin_family == AF_INET && a.sin_addr.s_addr == htonl(INADDR_LOOPBACK);
}

// A non-blocking UDP socket bound to 127.0.0.1:port, or -1 with errno set.
int boundSocket(int port) {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    // Room for a burst while datagrams wait their turn (the kernel caps it at its maximum).
    int room = 1 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &room, sizeof room);
    sockaddr_in a = loopback(port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        int saved = errno;
        close(fd);
        errno = saved;
        return -1;
    }
    return fd;
}

const char* dropReason(Fate::Drop drop) {
    return drop == Fate::outage ? "dropped (outage)\n" : "dropped (loss)\n";
}

} // namespace

UdpProxy::UdpProxy(int listenPort, int serverPort, const Impairment& impairment, uint64_t seed,
                   FILE* events, FILE* datagrams)
    : listenPort_(listenPort), serverPort_(serverPort), model_(impairment, seed), events_(events),
      datagrams_(datagrams) {}

UdpProxy::~UdpProxy() {
    for (Peer& p : peers_)
        close(p.upstream);
    if (listen_ >= 0)
        close(listen_);
}

bool UdpProxy::open(std::string& error) {
    listen_ = boundSocket(listenPort_);
    if (listen_ < 0) {
        error =
            "cannot listen on 127.0.0.1:" + std::to_string(listenPort_) + ": " + strerror(errno);
        return false;
    }
    sockaddr_in bound{};
    socklen_t size = sizeof bound;
    getsockname(listen_, reinterpret_cast<sockaddr*>(&bound), &size);
    listenPort_ = ntohs(bound.sin_port);
    return true;
}

int UdpProxy::peerFor(const sockaddr_in& from) {
    for (size_t i = 0; i < peers_.size(); ++i)
        if (peers_[i].client.sin_port == from.sin_port &&
            peers_[i].client.sin_addr.s_addr == from.sin_addr.s_addr)
            return static_cast<int>(i);
    // Replies would go back to the sender, so only loopback's own address may be one.
    if (!isLoopback(from) || static_cast<int>(peers_.size()) >= kMaxPeers) {
        if (events_ && !refusedSaid_) {
            char name[INET_ADDRSTRLEN] = "?";
            inet_ntop(AF_INET, &from.sin_addr, name, sizeof name);
            fprintf(events_, "netproxy: refused %s:%d (%s)\n", name, ntohs(from.sin_port),
                    isLoopback(from) ? "already 8 clients" : "not 127.0.0.1");
            fflush(events_);
            refusedSaid_ = true;
        }
        return -1;
    }
    int fd = boundSocket(0);
    sockaddr_in server = loopback(serverPort_);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    Peer p;
    p.client = from;
    p.upstream = fd;
    peers_.push_back(p);
    if (events_) {
        sockaddr_in mine{};
        socklen_t size = sizeof mine;
        getsockname(fd, reinterpret_cast<sockaddr*>(&mine), &size);
        fprintf(events_, "netproxy: client %zu is 127.0.0.1:%d, the server sees it as :%d\n",
                peers_.size(), ntohs(from.sin_port), ntohs(mine.sin_port));
        fflush(events_);
    }
    return static_cast<int>(peers_.size()) - 1;
}

void UdpProxy::readClients(long nowMs) {
    uint8_t buffer[kMaxDatagram];
    for (int i = 0; i < kReadsPerStep; ++i) {
        sockaddr_in from{};
        socklen_t size = sizeof from;
        // MSG_TRUNC gives a datagram's whole length, so one too large is seen as such.
        ssize_t n = recvfrom(listen_, buffer, sizeof buffer, MSG_TRUNC,
                             reinterpret_cast<sockaddr*>(&from), &size);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return;
            continue; // an error the kernel reports once, such as a refused earlier send
        }
        int peer = peerFor(from);
        if (peer < 0) {
            ++toServer_.datagrams;
            ++toServer_.dropped;
            toServer_.bytes += n;
            continue;
        }
        take(true, peer, buffer, n, nowMs);
    }
}

void UdpProxy::readServer(int peer, long nowMs) {
    uint8_t buffer[kMaxDatagram];
    for (int i = 0; i < kReadsPerStep; ++i) {
        ssize_t n = recv(peers_[peer].upstream, buffer, sizeof buffer, MSG_TRUNC);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return;
            continue; // the server was not there for an earlier datagram
        }
        take(false, peer, buffer, n, nowMs);
    }
}

void UdpProxy::take(bool toServer, int peer, const uint8_t* bytes, long size, long nowMs) {
    DirectionCounts& counts = toServer ? toServer_ : toClients_;
    ++counts.datagrams;
    counts.bytes += size;
    // The start of this datagram's line, when every datagram's fate is written.
    auto say = [&] {
        fprintf(datagrams_, "netproxy: %ld ms, ", nowMs);
        fprintf(datagrams_, toServer ? "client %d to server" : "server to client %d", peer + 1);
        fprintf(datagrams_, ", %ld bytes: ", size);
    };
    if (size > kMaxDatagram) {
        ++counts.tooLarge;
        ++counts.dropped;
        if (datagrams_) {
            say();
            fputs("dropped (too large)\n", datagrams_);
        }
        return;
    }
    Fate fate = model_.decide(nowMs);
    if (fate.drop == Fate::none && pending_.size() >= kMaxPending) {
        ++counts.queueFull;
        ++counts.dropped;
        if (datagrams_) {
            say();
            fputs("dropped (queue full)\n", datagrams_);
        }
        return;
    }
    if (fate.drop != Fate::none) {
        ++counts.dropped;
        if (datagrams_) {
            say();
            fputs(dropReason(fate.drop), datagrams_);
        }
        return;
    }
    // A copy that finds the queue full is simply not made.
    int copies = fate.duplicated && pending_.size() + 1 < kMaxPending ? 2 : 1;
    for (int copy = 0; copy < copies; ++copy) {
        Waiting& w = pending_[{nowMs + fate.afterMs[copy], arrivals_++}];
        w.toServer = toServer;
        w.peer = peer;
        w.bytes.assign(bytes, bytes + size);
    }
    if (copies == 2)
        ++counts.duplicated;
    if (fate.reordered)
        ++counts.reordered;
    if (datagrams_) {
        say();
        fprintf(datagrams_, "after %ld ms", fate.afterMs[0]);
        if (copies == 2)
            fprintf(datagrams_, ", a copy after %ld ms", fate.afterMs[1]);
        fputs(fate.reordered ? ", held back\n" : "\n", datagrams_);
    }
}

void UdpProxy::sendDue(long nowMs) {
    while (!pending_.empty() && pending_.begin()->first.first <= nowMs) {
        const Waiting& w = pending_.begin()->second;
        const Peer& p = peers_[w.peer];
        // A full socket buffer loses the datagram, as a real link would.
        if (w.toServer)
            send(p.upstream, w.bytes.data(), w.bytes.size(), MSG_DONTWAIT);
        else if (isLoopback(p.client))
            sendto(listen_, w.bytes.data(), w.bytes.size(), MSG_DONTWAIT,
                   reinterpret_cast<const sockaddr*>(&p.client), sizeof p.client);
        pending_.erase(pending_.begin());
    }
}

long UdpProxy::step(long nowMs) {
    if (listen_ < 0)
        return -1;
    readClients(nowMs);
    for (size_t i = 0; i < peers_.size(); ++i)
        readServer(static_cast<int>(i), nowMs);
    sendDue(nowMs);
    if (datagrams_)
        fflush(datagrams_);
    return pending_.empty() ? -1 : std::max(0L, pending_.begin()->first.first - nowMs);
}

void UdpProxy::run(long durationMs, const volatile std::sig_atomic_t& stop) {
    using clock = std::chrono::steady_clock;
    const clock::time_point start = clock::now();
    auto elapsed = [&] {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - start).count());
    };
    while (!stop && listen_ >= 0) {
        long now = elapsed();
        if (now >= durationMs)
            return;
        long next = step(now);
        // Short waits, so that a stop request is seen soon even if its signal came
        // between the check and the poll.
        long wait = std::min(durationMs - now, 100L);
        if (next >= 0)
            wait = std::min(wait, next);
        pollfd fds[1 + kMaxPeers];
        nfds_t count = 0;
        fds[count++] = {listen_, POLLIN, 0};
        for (const Peer& p : peers_)
            fds[count++] = {p.upstream, POLLIN, 0};
        poll(fds, count, static_cast<int>(wait));
    }
}

std::string UdpProxy::summary() const {
    std::string text;
    const DirectionCounts* ways[2] = {&toServer_, &toClients_};
    const char* names[2] = {"to server", "to clients"};
    for (int i = 0; i < 2; ++i) {
        const DirectionCounts& c = *ways[i];
        char line[256];
        snprintf(line, sizeof line,
                 "netproxy: %s %ld datagrams, %ld dropped, %ld duplicated, %ld reordered, %ld "
                 "bytes, %ld too large, %ld over the queue\n",
                 names[i], c.datagrams, c.dropped, c.duplicated, c.reordered, c.bytes, c.tooLarge,
                 c.queueFull);
        text += line;
    }
    return text;
}
