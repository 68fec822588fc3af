#include <getopt.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/netproxy/udpProxy.h"

namespace {

const char* const kUsage =
    "usage: brawler-netproxy --listen PORT --to PORT [--delay MS] [--jitter MS] [--loss PCT]\n"
    "                        [--duplicate PCT] [--reorder PCT] [--outage START_MS:LENGTH_MS]...\n"
    "                        [--seed N] [--duration SECONDS] [--quiet]\n"
    "Passes UDP datagrams between clients on 127.0.0.1:LISTEN and a server on\n"
    "127.0.0.1:TO, over a link made as bad as asked, the same both ways.\n"
    "  --listen PORT     where clients send (0: a free port, named in the first line)\n"
    "  --to PORT         where the server listens\n"
    "  --delay MS        added to every datagram each way\n"
    "  --jitter MS       a further 0..MS, uniform, per datagram\n"
    "  --loss PCT        datagrams dropped, in percent (0-100, may have decimals)\n"
    "  --duplicate PCT   datagrams sent twice\n"
    "  --reorder PCT     datagrams held back a further 1..MS/2+5 ms, so later ones overtake\n"
    "  --outage A:L      from A ms after the start, for L ms, every datagram is dropped\n"
    "                    (may be given more than once)\n"
    "  --seed N          the random generator's seed (default 1)\n"
    "  --duration S      exit after S seconds (default 120, at most 3600)\n"
    "  --quiet           no line per datagram (the summary is always printed)\n"
    "  --help            this text\n"
    "Exit code 0 after the duration or on SIGTERM/SIGINT, 1 when the port cannot be bound,\n"
    "2 for a bad command line.\n";

const size_t kMaxOutages = 64;

struct proxyOptions {
    long listenPort = -1;
    long serverPort = -1;
    Impairment impairment;
    unsigned long long seed = 1;
    double durationS = 120;
    bool quiet = false;
};

enum optionId {
    optListen = 1,
    optTo,
    optDelay,
    optJitter,
    optLoss,
    optDuplicate,
    optReorder,
    optOutage,
    optSeed,
    optDuration,
    optQuiet,
    optHelp
};

const option kOptions[] = {{"listen", required_argument, nullptr, optListen},
                           {"to", required_argument, nullptr, optTo},
                           {"delay", required_argument, nullptr, optDelay},
                           {"jitter", required_argument, nullptr, optJitter},
                           {"loss", required_argument, nullptr, optLoss},
                           {"duplicate", required_argument, nullptr, optDuplicate},
                           {"reorder", required_argument, nullptr, optReorder},
                           {"outage", required_argument, nullptr, optOutage},
                           {"seed", required_argument, nullptr, optSeed},
                           {"duration", required_argument, nullptr, optDuration},
                           {"quiet", no_argument, nullptr, optQuiet},
                           {"help", no_argument, nullptr, optHelp},
                           {nullptr, 0, nullptr, 0}};

// A whole number in [lo, hi] taking all of `text`.
bool readWhole(const char* text, long lo, long hi, long& value) {
    errno = 0;
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < lo || n > hi)
        return false;
    value = n;
    return true;
}

// A number, decimals allowed, in [lo, hi] taking all of `text`.
bool readNumber(const char* text, double lo, double hi, double& value) {
    errno = 0;
    char* end = nullptr;
    double n = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !std::isfinite(n) || n < lo || n > hi)
        return false;
    value = n;
    return true;
}

bool readOutage(const char* text, Outage& outage) {
    const char* colon = strchr(text, ':');
    if (!colon)
        return false;
    std::string start(text, colon);
    return readWhole(start.c_str(), 0, 86400000, outage.startMs) &&
           readWhole(colon + 1, 0, 86400000, outage.lengthMs);
}

// Reads the command line; returns -1 to go on, else the exit code, with the usage or
// the fault already printed.
int readOptions(int argc, char** argv, proxyOptions& options) {
    opterr = 0;
    std::string fault;
    Impairment& im = options.impairment;
    int id = 0;
    while (fault.empty() && (id = getopt_long(argc, argv, ":", kOptions, nullptr)) != -1) {
        std::string given = optarg ? std::string(" \"") + optarg + "\"" : std::string();
        switch (id) {
        case optListen:
            if (!readWhole(optarg, 0, 65535, options.listenPort))
                fault = "--listen takes a port from 0 to 65535, not" + given;
            break;
        case optTo:
            if (!readWhole(optarg, 1, 65535, options.serverPort))
                fault = "--to takes a port from 1 to 65535, not" + given;
            break;
        case optDelay:
            if (!readWhole(optarg, 0, 60000, im.delayMs))
                fault = "--delay takes whole milliseconds from 0 to 60000, not" + given;
            break;
        case optJitter:
            if (!readWhole(optarg, 0, 60000, im.jitterMs))
                fault = "--jitter takes whole milliseconds from 0 to 60000, not" + given;
            break;
        case optLoss:
            if (!readNumber(optarg, 0, 100, im.lossPct))
                fault = "--loss takes a percentage from 0 to 100, not" + given;
            break;
        case optDuplicate:
            if (!readNumber(optarg, 0, 100, im.duplicatePct))
                fault = "--duplicate takes a percentage from 0 to 100, not" + given;
            break;
        case optReorder:
            if (!readNumber(optarg, 0, 100, im.reorderPct))
                fault = "--reorder takes a percentage from 0 to 100, not" + given;
            break;
        case optOutage: {
            Outage outage;
            if (!readOutage(optarg, outage))
                fault = "--outage takes START_MS:LENGTH_MS in whole milliseconds, not" + given;
            else if (im.outages.size() >= kMaxOutages)
                fault = "--outage is given more than " + std::to_string(kMaxOutages) + " times";
            else
                im.outages.push_back(outage);
            break;
        }
        case optSeed: {
            errno = 0;
            char* end = nullptr;
            options.seed = std::strtoull(optarg, &end, 10);
            if (errno != 0 || end == optarg || *end != '\0' || optarg[0] == '-')
                fault = "--seed takes a whole number from 0, not" + given;
            break;
        }
        case optDuration:
            if (!readNumber(optarg, 0.001, 3600, options.durationS))
                fault = "--duration takes seconds, more than 0 and at most 3600, not" + given;
            break;
        case optQuiet:
            options.quiet = true;
            break;
        case optHelp:
            fputs(kUsage, stdout);
            return 0;
        case ':':
            fault = std::string(argv[optind - 1]) + " needs a value";
            break;
        default:
            fault = std::string("unknown option \"") + argv[optind - 1] + "\"";
            break;
        }
    }
    if (fault.empty() && optind < argc)
        fault = std::string("unexpected argument \"") + argv[optind] + "\"";
    if (fault.empty() && options.listenPort < 0)
        fault = "--listen PORT is needed";
    if (fault.empty() && options.serverPort < 0)
        fault = "--to PORT is needed";
    if (fault.empty() && options.listenPort == options.serverPort)
        fault = "--listen and --to name the same port";
    if (!fault.empty()) {
        fprintf(stderr, "brawler-netproxy: %s\n", fault.c_str());
        fputs(kUsage, stderr);
        return 2;
    }
    return -1;
}

volatile std::sig_atomic_t stopRequested = 0;

void onStopSignal(int) {
    stopRequested = 1;
}

} // namespace

// brawler-netproxy: a lossy UDP proxy on loopback for trying online play on one
// machine; see kUsage.
int main(int argc, char** argv) {
    proxyOptions options;
    int code = readOptions(argc, argv, options);
    if (code >= 0)
        return code;

    // No SA_RESTART: the signal interrupts the proxy's wait, and it ends at once.
    struct sigaction stop {};
    stop.sa_handler = onStopSignal;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);

    const Impairment& im = options.impairment;
    UdpProxy proxy(static_cast<int>(options.listenPort), static_cast<int>(options.serverPort), im,
                   options.seed, stdout, options.quiet ? nullptr : stdout);
    std::string error;
    if (!proxy.open(error)) {
        fprintf(stderr, "brawler-netproxy: %s\n", error.c_str());
        return 1;
    }
    printf("netproxy: 127.0.0.1:%d -> 127.0.0.1:%ld, delay %ld ms, jitter %ld ms, loss %g %%\n",
           proxy.listenPort(), options.serverPort, im.delayMs, im.jitterMs, im.lossPct);
    fflush(stdout);
    proxy.run(std::lround(options.durationS * 1000.0), stopRequested);
    fputs(proxy.summary().c_str(), stdout);
    fflush(stdout);
    return 0;
}
