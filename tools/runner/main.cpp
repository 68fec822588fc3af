#include <getopt.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "datafile/dataFingerprint.h"
#include "match/replayFile.h"
#include "shell/shell.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"
#include "tools/runner/traceMute.h"

namespace {

const char* const kUsage =
    "usage: brawler-run [--trace] [--flip] [--window] [--scale N] [--hold MS]\n"
    "                   [--no-picture] [--sync-test N] [--record FILE] SCRIPT\n"
    "       brawler-run [OPTIONS] --replay FILE\n"
    "       brawler-run [OPTIONS] (--host PORT | --join HOST:PORT) SCRIPT\n"
    "Plays a fight script on the game, headless, and prints its summary.\n"
    "  --trace    print the game's trace before the summary\n"
    "  --flip     present the whole screen every pass instead of what changed\n"
    "  --window   use the video driver the environment names (a real window)\n"
    "             instead of the dummy one\n"
    "  --scale N  the window N times 800x600 (1 to 4), as the game's --scale\n"
    "  --hold MS  after the summary, keep the window showing the last pass for MS ms\n"
    "             of real time, so a screenshot of it can be taken\n"
    "  --no-picture  a match runs its steps without drawing them; the summary gives\n"
    "             the step's time\n"
    "  --sync-test N  a match is put back N steps after every pass and those steps\n"
    "             run again from their recorded input; any difference fails the run\n"
    "  --record FILE  save the script's match as a replay\n"
    "  --replay FILE  play a replay (made by the game or --record) on the data folder\n"
    "             \"data\" of the working directory, instead of a script\n"
    "  --host PORT  play the script's side of an online match as the host, taking a\n"
    "             call on UDP PORT; the match is the host's script's (seed, rounds)\n"
    "  --join HOST:PORT  play the script's side of an online match by calling HOST\n"
    "  --input-delay N  online: own frames are used N steps late (0 to 8, default 2)\n"
    "  --desync-at N  online, for tests: put this side's fight out of step once, at\n"
    "             step N\n"
    "  --help     this text\n"
    "Exit code 0 when every check held, 1 when one did not, 2 for a script or a\n"
    "command line it cannot use.\n";

// What the command line asks for.
struct runOptions {
    bool trace = false;
    bool flip = false;
    bool window = false;
    long holdMs = 0; // real ms to keep the last pass on show
    long scale = 1;
    bool noPicture = false;
    long syncSteps = 0;
    std::string record;
    std::string replay;
    std::string script;
    bool online = false;
    OnlinePlay play;
};

enum optionId {
    optTrace = 1,
    optFlip,
    optWindow,
    optHold,
    optScale,
    optNoPicture,
    optSyncTest,
    optRecord,
    optReplay,
    optHost,
    optJoin,
    optInputDelay,
    optDesyncAt,
    optHelp
};

const option kOptions[] = {{"trace", no_argument, nullptr, optTrace},
                           {"flip", no_argument, nullptr, optFlip},
                           {"window", no_argument, nullptr, optWindow},
                           {"hold", required_argument, nullptr, optHold},
                           {"scale", required_argument, nullptr, optScale},
                           {"no-picture", no_argument, nullptr, optNoPicture},
                           {"sync-test", required_argument, nullptr, optSyncTest},
                           {"record", required_argument, nullptr, optRecord},
                           {"replay", required_argument, nullptr, optReplay},
                           {"host", required_argument, nullptr, optHost},
                           {"join", required_argument, nullptr, optJoin},
                           {"input-delay", required_argument, nullptr, optInputDelay},
                           {"desync-at", required_argument, nullptr, optDesyncAt},
                           {"help", no_argument, nullptr, optHelp},
                           {nullptr, 0, nullptr, 0}};

bool readMs(const char* text, long& ms) {
    errno = 0;
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < 0)
        return false;
    ms = n;
    return true;
}

bool readPort(const std::string& text, uint16_t& port) {
    long n = 0;
    if (!readMs(text.c_str(), n) || n < 1 || n > 65535)
        return false;
    port = static_cast<uint16_t>(n);
    return true;
}

// HOST:PORT; the host a name or an IPv4 address.
bool readPeer(const std::string& text, OnlinePlay& play) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || text.find(':') != colon)
        return false;
    play.host = text.substr(0, colon);
    return readPort(text.substr(colon + 1), play.port);
}

// Reads the command line; returns -1 to go on, else the exit code, with the usage or
// the fault already printed.
int readOptions(int argc, char** argv, runOptions& options) {
    opterr = 0;
    std::string fault;
    int id = 0;
    while (fault.empty() && (id = getopt_long(argc, argv, ":", kOptions, nullptr)) != -1) {
        switch (id) {
        case optTrace:
            options.trace = true;
            break;
        case optFlip:
            options.flip = true;
            break;
        case optWindow:
            options.window = true;
            break;
        case optHold:
            if (!readMs(optarg, options.holdMs))
                fault = std::string("--hold takes a whole number of milliseconds, not \"") +
                        optarg + "\"";
            break;
        case optScale:
            if (!readMs(optarg, options.scale) || options.scale < 1 || options.scale > 4)
                fault =
                    std::string("--scale takes a whole number from 1 to 4, not \"") + optarg + "\"";
            break;
        case optNoPicture:
            options.noPicture = true;
            break;
        case optSyncTest:
            if (!readMs(optarg, options.syncSteps) || options.syncSteps < 1 ||
                options.syncSteps > 64)
                fault = std::string("--sync-test takes a whole number of steps from 1 to 64, "
                                    "not \"") +
                        optarg + "\"";
            break;
        case optRecord:
            options.record = optarg;
            break;
        case optReplay:
            options.replay = optarg;
            break;
        case optHost:
            options.online = true;
            options.play.hosting = true;
            if (!readPort(optarg, options.play.port))
                fault =
                    std::string("--host takes a UDP port from 1 to 65535, not \"") + optarg + "\"";
            break;
        case optJoin:
            options.online = true;
            if (!readPeer(optarg, options.play))
                fault = std::string("--join takes HOST:PORT (a name or an IPv4 address), not \"") +
                        optarg + "\"";
            break;
        case optInputDelay: {
            long n = 0;
            if (!readMs(optarg, n) || n > 8)
                fault = std::string("--input-delay takes a whole number of steps from 0 to 8, "
                                    "not \"") +
                        optarg + "\"";
            options.play.inputDelay = static_cast<int>(n);
            break;
        }
        case optDesyncAt:
            if (!readMs(optarg, options.play.desyncAt))
                fault = std::string("--desync-at takes a step number, not \"") + optarg + "\"";
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
    if (fault.empty() && optind < argc && options.replay.empty())
        options.script = argv[optind++];
    if (fault.empty() && optind < argc)
        fault = std::string("unexpected argument \"") + argv[optind] + "\"";
    if (!fault.empty())
        fprintf(stderr, "brawler-run: %s\n", fault.c_str());
    if (!fault.empty() || (options.script.empty() && options.replay.empty())) {
        fputs(kUsage, stderr);
        return 2;
    }
    return -1;
}

// The script at `path`; false, with the reason on standard error, when it cannot be read.
bool readScript(const std::string& path, FightScript& script) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fprintf(stderr, "brawler-run: cannot read the script %s\n", path.c_str());
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    script.name = path;
    std::string error;
    if (!script.parse(text.str(), &error)) {
        fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

// A replay played as a script: a match of its characters and rounds, to its last step.
bool readReplay(const std::string& path, FightScript& script, replayFile& replay) {
    std::string error;
    if (!replay.load(path, error)) {
        fprintf(stderr, "brawler-run: %s\n", error.c_str());
        return false;
    }
    script.name = path;
    long last = std::max<long>(0, static_cast<long>(replay.steps.size()) - 1) * 11;
    return script.parse("mode match\nend " + std::to_string(last) + "\n", &error);
}

} // namespace

// brawler-run: plays a fight script headless and prints its summary; see kUsage.
int main(int argc, char** argv) {
    runOptions options;
    int code = readOptions(argc, argv, options);
    if (code >= 0)
        return code;
    FightScript script;
    replayFile replay;
    if (!options.replay.empty() && !readReplay(options.replay, script, replay))
        return 1;
    if (options.replay.empty() && !readScript(options.script, script))
        return 2;
    const std::string& path = script.name;

    // A data folder that is not there is the script's fault, not a failed check.
    std::string dataRoot = FightRunner::dataRootFor(script);
    struct stat info {};
    if (stat(dataRoot.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        if (script.dataLine > 0)
            fprintf(stderr, "%s:%d: no data folder %s\n", path.c_str(), script.dataLine,
                    dataRoot.c_str());
        else
            fprintf(stderr,
                    "%s: no data folder \"data\" in the working directory (name one with "
                    "a data line)\n",
                    path.c_str());
        return 2;
    }

    if (!options.replay.empty()) {
        std::string here = dataFingerprint(dataRoot);
        if (here != replay.data) {
            fprintf(stderr,
                    "brawler-run: %s: recorded with other data (data fingerprint %s; %s/ here "
                    "is %s)\n",
                    path.c_str(), replay.data.c_str(), dataRoot.c_str(), here.c_str());
            return 1;
        }
    }
    if (!options.record.empty() && script.hasChangesBetweenSteps()) {
        fprintf(stderr,
                "%s: --record keeps only the keys: the script's place, set and opponent lines "
                "would not be in the replay\n",
                path.c_str());
        return 2;
    }

    // Headless unless a window is asked for, whatever the environment says.
    if (!options.window)
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    FightRunner runner;
    runner.presentAll = options.flip;
    runner.noPicture = options.noPicture;
    runner.record = !options.record.empty();
    if (!options.replay.empty())
        runner.playback = &replay;
    runner.syncSteps = static_cast<int>(options.syncSteps);
    if (options.online) {
        if (!options.replay.empty() || options.syncSteps > 0) {
            fprintf(stderr, "brawler-run: an online match plays a script, without --replay or "
                            "--sync-test (run those on its replay)\n");
            return 2;
        }
        // A desync's dump goes beside the replay kept, else into the working folder.
        size_t slash = options.record.rfind('/');
        if (slash != std::string::npos)
            options.play.dumpFolder = options.record.substr(0, slash);
        runner.online = &options.play;
    }
    if ((options.noPicture || options.syncSteps > 0) && !script.match) {
        fprintf(stderr, "%s: --no-picture and --sync-test play a match: add `mode match`\n",
                path.c_str());
        return 2;
    }
    FightSummary summary;
    {
        TraceMute mute(!options.trace);
        sdlInit(static_cast<int>(options.scale));
        summary = runner.run(script);
    }
    fputs(summary.format().c_str(), stdout);
    if (!options.record.empty()) {
        std::string error;
        if (!runner.recorded.save(options.record, error)) {
            fprintf(stderr, "brawler-run: %s\n", error.c_str());
            return 1;
        }
        printf("replay: saved %s (%zu steps)\n", options.record.c_str(),
               runner.recorded.steps.size());
    }
    fflush(stdout);
    for (const std::string& failure : runner.failures)
        fprintf(stderr, "%s\n", failure.c_str());
    // The last pass stays on show, the virtual clock stopped, until the hold is over.
    for (Uint32 start = SDL_GetTicks();
         options.holdMs > 0 && SDL_GetTicks() - start < Uint32(options.holdMs);) {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
    return runner.failures.empty() ? 0 : 1;
}
