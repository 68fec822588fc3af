#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/testSupport.h"
#include "tools/netproxy/udpProxy.h"

using namespace testsupport;

namespace {

// A non-blocking UDP socket on 127.0.0.1 at a free port.
int loopbackSocket() {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    return fd;
}

int portOf(int fd) {
    sockaddr_in a{};
    socklen_t size = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size);
    return ntohs(a.sin_port);
}

void sendTo(int fd, int port, const std::string& bytes) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
}

// Everything waiting at `fd`, each sent back to its sender when `echo`; the senders'
// ports go into `from`.
std::vector<std::string> receive(int fd, bool echo = false, std::set<int>* from = nullptr) {
    std::vector<std::string> got;
    char buffer[2048];
    for (int i = 0; i < 1000; ++i) {
        sockaddr_in a{};
        socklen_t size = sizeof a;
        ssize_t n = recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&a), &size);
        if (n < 0)
            break;
        if (echo)
            sendto(fd, buffer, n, 0, reinterpret_cast<sockaddr*>(&a), size);
        got.emplace_back(buffer, n);
        if (from)
            from->insert(ntohs(a.sin_port));
    }
    return got;
}

// Datagram n: its number, then bytes of varied values, zero among them, to `size` in all.
std::string payload(int n, size_t size = 16) {
    std::string s = std::to_string(n) + ":";
    for (size_t i = s.size(); i < size; ++i)
        s += static_cast<char>((n * 31 + i * 7) & 0xff);
    return s;
}

int numberOf(const std::string& datagram) {
    return std::stoi(datagram.substr(0, datagram.find(':')));
}

// A proxy on the test's own clock between clients and an echo server, all in this
// thread: loopback delivers a datagram within the send call, so one step, an echo and a
// second step carry everything that is due at that time through both ways.
struct Bench {
    int server = loopbackSocket();
    std::vector<int> clients;
    UdpProxy proxy;
    std::set<int> serverSaw; // source ports of what reached the server

    Bench(const Impairment& im, uint64_t seed, int clientCount = 1)
        : proxy(0, portOf(server), im, seed) {
        std::string error;
        EXPECT_TRUE(proxy.open(error)) << error;
        for (int i = 0; i < clientCount; ++i)
            clients.push_back(loopbackSocket());
    }
    ~Bench() {
        close(server);
        for (int fd : clients)
            close(fd);
    }
    void send(int client, const std::string& bytes) {
        sendTo(clients[client], proxy.listenPort(), bytes);
    }
    // Runs everything at `ms`; returns what reached the server and, per client, what came
    // back to it.
    std::pair<std::vector<std::string>, std::vector<std::vector<std::string>>> at(long ms) {
        proxy.step(ms);
        std::vector<std::string> atServer = receive(server, true, &serverSaw);
        proxy.step(ms);
        std::vector<std::vector<std::string>> back;
        for (int fd : clients)
            back.push_back(receive(fd));
        return {atServer, back};
    }
};

// What came back to one client that sent `count` datagrams at 20 a millisecond: their
// numbers in the order they came, and the proxy's counts.
struct Trip {
    std::vector<int> back;
    DirectionCounts up, down;
};

Trip roundTrips(const Impairment& im, uint64_t seed, int count) {
    Bench bench(im, seed);
    Trip trip;
    for (int ms = 0; ms <= count / 20 + 60; ++ms) {
        for (int n = ms * 20; n < std::min(count, ms * 20 + 20); ++n)
            bench.send(0, payload(n));
        std::vector<std::string> got = bench.at(ms).second[0];
        for (const std::string& d : got)
            trip.back.push_back(numberOf(d));
    }
    trip.up = bench.proxy.toServer();
    trip.down = bench.proxy.toClients();
    return trip;
}

} // namespace

// Unimpaired, two clients' datagrams of every size up to the limit come back intact, in
// order, each to its sender, and the server sees the two as different peers; one byte
// over the limit is dropped. A delay holds each datagram that long each way, plus no
// more than the jitter.
TEST(NetProxy, CarriesDatagramsIntactInOrderAndDelaysEachWay) {
    {
        Bench bench(Impairment{}, 1, 2);
        std::vector<std::string> sent[2];
        for (int n = 0; n < 24; ++n)
            for (int c = 0; c < 2; ++c) {
                sent[c].push_back(payload(n * 2 + c, n == 23 ? 1500 : n * 61 % 1500));
                bench.send(c, sent[c].back());
            }
        bench.send(0, std::string(1501, 'x'));
        auto [atServer, back] = bench.at(0);
        EXPECT_EQ(atServer.size(), 48u);
        EXPECT_EQ(back[0], sent[0]);
        EXPECT_EQ(back[1], sent[1]);
        EXPECT_EQ(bench.serverSaw.size(), 2u);
        EXPECT_EQ(bench.proxy.toServer().tooLarge, 1);
        EXPECT_EQ(bench.proxy.toServer().dropped, 1);
        EXPECT_EQ(bench.proxy.toClients().datagrams, 48);
    }
    Impairment im;
    im.delayMs = 20;
    im.jitterMs = 6;
    Bench bench(im, 5);
    for (int n = 0; n < 20; ++n)
        bench.send(0, payload(n));
    std::vector<long> atServer, back;
    for (long ms = 0; ms <= 80; ++ms) {
        auto [there, here] = bench.at(ms);
        atServer.insert(atServer.end(), there.size(), ms);
        back.insert(back.end(), here[0].size(), ms);
    }
    ASSERT_EQ(atServer.size(), 20u);
    ASSERT_EQ(back.size(), 20u);
    EXPECT_GE(atServer.front(), 20);
    EXPECT_LE(atServer.back(), 26);
    EXPECT_GE(back.front(), 40);
    EXPECT_LE(back.back(), 52);
    EXPECT_LT(atServer.front(), atServer.back()) << "the jitter varied nothing";
}

// Loss, outages and copies: half lost each way by a seed that gives the same losses
// again; an outage loses what arrives in it, either way, and nothing else; copies and
// held-back datagrams come in addition and out of order, none lost.
TEST(NetProxy, DropsCopiesAndHoldsBackAsSeeded) {
    Impairment lossy;
    lossy.lossPct = 50;
    Trip first = roundTrips(lossy, 7, 200);
    EXPECT_EQ(first.up.datagrams, 200);
    EXPECT_NEAR(first.up.dropped, 100, 30);
    EXPECT_EQ(first.down.datagrams, 200 - first.up.dropped);
    EXPECT_NEAR(first.down.dropped, first.down.datagrams / 2.0, 25);
    EXPECT_EQ(static_cast<long>(first.back.size()), first.down.datagrams - first.down.dropped);
    EXPECT_EQ(roundTrips(lossy, 7, 200).back, first.back);
    EXPECT_NE(roundTrips(lossy, 8, 200).back, first.back);

    // Sent every 5 ms, 5 ms each way, down from 100 ms to 150 ms and at 180 ms: what is
    // sent in an outage is lost on its way to the server, what is sent 5 ms before one
    // on its way back.
    Impairment down50;
    down50.delayMs = 5;
    down50.outages = {{100, 50}, {180, 1}};
    Bench outage(down50, 1);
    std::vector<int> lost;
    std::set<int> back;
    for (long ms = 0; ms <= 210; ++ms) {
        if (ms % 5 == 0 && ms <= 200)
            outage.send(0, payload(static_cast<int>(ms)));
        std::vector<std::string> got = outage.at(ms).second[0];
        for (const std::string& d : got)
            back.insert(numberOf(d));
    }
    for (int ms = 0; ms <= 200; ms += 5)
        if (!back.count(ms))
            lost.push_back(ms);
    EXPECT_EQ(lost,
              (std::vector<int>{95, 100, 105, 110, 115, 120, 125, 130, 135, 140, 145, 175, 180}));
    EXPECT_EQ(outage.proxy.toServer().dropped, 11);
    EXPECT_EQ(outage.proxy.toClients().dropped, 2);

    Impairment messy;
    messy.delayMs = 10;
    messy.duplicatePct = 40;
    messy.reorderPct = 30;
    Trip trip = roundTrips(messy, 3, 100);
    const std::vector<int>& got = trip.back;
    const DirectionCounts& there = trip.up;
    const DirectionCounts& again = trip.down;
    EXPECT_NEAR(there.duplicated, 40, 20);
    EXPECT_NEAR(there.reordered, 30, 20);
    EXPECT_EQ(again.datagrams, 100 + there.duplicated);
    EXPECT_EQ(static_cast<long>(got.size()), again.datagrams + again.duplicated);
    EXPECT_EQ(std::set<int>(got.begin(), got.end()).size(), 100u);
    EXPECT_FALSE(std::is_sorted(got.begin(), got.end()));
    EXPECT_EQ(again.dropped + there.dropped, 0);
}

// The program: its start line, a real round trip of at least twice the delay, its own
// end after --duration with a summary per direction, and its exit codes.
TEST(NetProxy, ProgramForwardsForItsDurationAndReportsItsCounts) {
    const std::string proxy = std::string("timeout 5 '") + NETPROXY_BINARY + "' ";
    ChildResult bad = runCommand(proxy + "--listen 0 --to 9 --loss 101");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("--loss takes a percentage"), std::string::npos) << bad.output;
    int taken = loopbackSocket();
    ChildResult inUse =
        runCommand(proxy + "--listen " + std::to_string(portOf(taken)) + " --to 9 --duration 1");
    close(taken);
    EXPECT_EQ(inUse.exitCode, 1);
    EXPECT_NE(inUse.output.find("Address already in use"), std::string::npos) << inUse.output;

    int server = loopbackSocket();
    int client = loopbackSocket();
    const std::string to = std::to_string(portOf(server));
    FILE* out =
        popen((proxy + "--listen 0 --to " + to + " --delay 10 --loss 0 --duration 0.3 --quiet 2>&1")
                  .c_str(),
              "r");
    ASSERT_NE(out, nullptr);
    char line[256] = "";
    int listen = 0;
    // The proxy prints this line at once, and ends by itself (or by timeout) soon after.
    ASSERT_NE(fgets(line, sizeof line, out), nullptr);
    ASSERT_EQ(sscanf(line, "netproxy: 127.0.0.1:%d", &listen), 1) << line;
    EXPECT_EQ(std::string(line), "netproxy: 127.0.0.1:" + std::to_string(listen) +
                                     " -> 127.0.0.1:" + to +
                                     ", delay 10 ms, jitter 0 ms, loss 0 %\n");
    using clock = std::chrono::steady_clock;
    const clock::time_point start = clock::now();
    for (int n = 0; n < 5; ++n)
        sendTo(client, listen, payload(n));
    std::vector<std::string> back;
    long firstMs = -1;
    for (int i = 0; i < 100 && back.size() < 5; ++i) {
        pollfd fds[2] = {{server, POLLIN, 0}, {client, POLLIN, 0}};
        poll(fds, 2, 5);
        receive(server, true);
        for (const std::string& d : receive(client))
            back.push_back(d);
        if (firstMs < 0 && !back.empty())
            firstMs =
                std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - start).count();
    }
    EXPECT_EQ(back.size(), 5u);
    EXPECT_GE(firstMs, 20);
    std::string rest;
    while (fgets(line, sizeof line, out))
        rest += line;
    EXPECT_EQ(WEXITSTATUS(pclose(out)), 0);
    close(server);
    close(client);
    EXPECT_NE(rest.find("netproxy: to server 5 datagrams, 0 dropped, 0 duplicated, 0 reordered, "),
              std::string::npos)
        << rest;
    EXPECT_NE(rest.find("netproxy: to clients 5 datagrams, 0 dropped"), std::string::npos) << rest;
}
