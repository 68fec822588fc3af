#include "config/options.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>

namespace {

enum optionId {
    optClassic = 1,
    optRounds,
    optVersus,
    optControls,
    optWriteControls,
    optFullscreen,
    optScale,
    optQuiet,
    optData,
    optUncapped,
    optPlayer,
    optOpponent,
    optRecord,
    optReplay,
    optHost,
    optJoin,
    optWatch,
    optInputDelay,
    optCpu,
    optTime,
    optTraining,
    optHelp,
    optVersion
};

const option kOptions[] = {{"classic", no_argument, nullptr, optClassic},
                           {"rounds", required_argument, nullptr, optRounds},
                           {"versus", no_argument, nullptr, optVersus},
                           {"controls", required_argument, nullptr, optControls},
                           {"write-controls", optional_argument, nullptr, optWriteControls},
                           {"fullscreen", no_argument, nullptr, optFullscreen},
                           {"scale", required_argument, nullptr, optScale},
                           {"quiet", no_argument, nullptr, optQuiet},
                           {"data", required_argument, nullptr, optData},
                           {"uncapped", no_argument, nullptr, optUncapped},
                           {"player", required_argument, nullptr, optPlayer},
                           {"opponent", required_argument, nullptr, optOpponent},
                           {"record", required_argument, nullptr, optRecord},
                           {"replay", required_argument, nullptr, optReplay},
                           {"host", optional_argument, nullptr, optHost},
                           {"join", required_argument, nullptr, optJoin},
                           {"watch", required_argument, nullptr, optWatch},
                           {"input-delay", required_argument, nullptr, optInputDelay},
                           {"cpu", required_argument, nullptr, optCpu},
                           {"time", required_argument, nullptr, optTime},
                           {"training", no_argument, nullptr, optTraining},
                           {"help", no_argument, nullptr, optHelp},
                           {"version", no_argument, nullptr, optVersion},
                           {nullptr, 0, nullptr, 0}};

// A whole number from low to high, odd when asked; nothing else, not even spaces.
bool readWhole(const char* text, int low, int high, bool odd, int& value) {
    errno = 0;
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < low || n > high || (odd && n % 2 == 0))
        return false;
    value = static_cast<int>(n);
    return true;
}

std::string refused(const char* option, const char* takes, const char* value) {
    return std::string("brawler: ") + option + " takes " + takes + ", not \"" + value + "\"";
}

// --write-controls FILE as well as --write-controls=FILE: getopt_long only hands an
// optional value over in the second form.
std::string optionalValue(int argc, char** argv) {
    if (optarg)
        return optarg;
    if (optind < argc && argv[optind][0] != '-')
        return argv[optind++];
    return "";
}

// --join HOST or HOST:PORT: a name or an IPv4 address, and a port.
bool readJoin(const char* text, gameOptions& o, std::string& message, const char* option) {
    if (readHostAndPort(text, o.joinHost, o.port))
        return true;
    message = refused(option, "HOST or HOST:PORT (a name or an IPv4 address)", text);
    return false;
}

} // namespace

bool readHostAndPort(const std::string& text, std::string& host, int& port) {
    size_t colon = text.rfind(':');
    host = text.substr(0, colon);
    bool portOk =
        colon == std::string::npos || readWhole(text.c_str() + colon + 1, 1, 65535, false, port);
    return !host.empty() && host.find(':') == std::string::npos && portOk;
}

namespace {

// One option with its value; false with `message` set when the value cannot be used.
bool take(int id, int argc, char** argv, gameOptions& o, std::string& message) {
    switch (id) {
    case optClassic:
        o.classic = true;
        return true;
    case optRounds:
        o.roundsNamed = true;
        if (readWhole(optarg, 1, 9, true, o.rounds))
            return true;
        message = refused("--rounds", "an odd whole number from 1 to 9", optarg);
        return false;
    case optVersus:
        o.versus = true;
        return true;
    case optControls:
        o.controlsFile = optarg;
        if (!o.controlsFile.empty())
            return true;
        message = "brawler: --controls takes the name of a controls file";
        return false;
    case optWriteControls: {
        o.writeControls = true;
        // An empty name typed on purpose ("") is a mistake, not a wish for the usual place.
        bool given = optarg || (optind < argc && argv[optind][0] != '-');
        o.writeControlsFile = optionalValue(argc, argv);
        if (!given || !o.writeControlsFile.empty())
            return true;
        message = "brawler: --write-controls needs a file name, not \"\"";
        return false;
    }
    case optFullscreen:
        o.fullscreen = true;
        return true;
    case optScale:
        o.scaleNamed = true;
        if (readWhole(optarg, 1, 4, false, o.scale))
            return true;
        message = refused("--scale", "a whole number from 1 to 4", optarg);
        return false;
    case optQuiet:
        o.quiet = true;
        return true;
    case optData:
        o.dataDir = optarg;
        o.dataNamed = true;
        if (!o.dataDir.empty())
            return true;
        message = "brawler: --data takes the name of a data folder";
        return false;
    case optUncapped:
        o.uncapped = true;
        return true;
    case optPlayer:
        o.player = optarg;
        o.playerNamed = true;
        return true;
    case optOpponent:
        o.opponent = optarg;
        o.opponentNamed = true;
        return true;
    case optRecord:
    case optReplay:
        (id == optRecord ? o.recordFile : o.replayFile) = optarg;
        if (*optarg)
            return true;
        message = std::string("brawler: ") + (id == optRecord ? "--record" : "--replay") +
                  " takes the name of a replay file";
        return false;
    case optHost: {
        o.hosting = true;
        std::string port = optionalValue(argc, argv);
        if (port.empty() || readWhole(port.c_str(), 1, 65535, false, o.port))
            return true;
        message = refused("--host", "a UDP port from 1 to 65535", port.c_str());
        return false;
    }
    case optJoin:
    case optWatch:
        o.watching = id == optWatch;
        return readJoin(optarg, o, message, id == optWatch ? "--watch" : "--join");
    case optInputDelay:
        if (readWhole(optarg, 0, 8, false, o.inputDelay))
            return true;
        message = refused("--input-delay", "a whole number of steps from 0 to 8", optarg);
        return false;
    case optCpu:
        o.cpuNamed = true;
        if (readWhole(optarg, 1, 8, false, o.cpu))
            return true;
        message = refused("--cpu", "a level from 1 (easiest) to 8 (hardest)", optarg);
        return false;
    case optTime:
        o.timeNamed = true;
        if (std::string(optarg) == "none") {
            o.roundSeconds = 0;
            return true;
        }
        if (readWhole(optarg, 30, 99, false, o.roundSeconds) &&
            (o.roundSeconds == 30 || o.roundSeconds == 60 || o.roundSeconds == 99))
            return true;
        message = refused("--time", "a round's seconds: 30, 60, 99 or none", optarg);
        return false;
    case optTraining:
        o.training = true;
        return true;
    default:
        return true;
    }
}

} // namespace

std::string usageText() {
    return "usage: brawler [OPTIONS]\n"
           "  --rounds N              a match is best of N rounds (N odd, 1 to 9; default 3)\n"
           "  --time 30|60|99|none    a round's timer in seconds, or none (default 99)\n"
           "  --classic               the endless fight: no rounds, no HUD\n"
           "  --cpu N                 the computer's level, 1 (easiest) to 8 (default 4)\n"
           "  --versus                a second player takes the opponent's fighter\n"
           "  --training              practise against a dummy: no rounds, frame data,\n"
           "                          F1-F7 for the dummy, positions and recording\n"
           "  --controls FILE         read the keys from FILE instead of\n"
           "                          $XDG_CONFIG_HOME/brawler/controls\n"
           "  --write-controls [FILE] write the default keys, with comments, and stop\n"
           "  --fullscreen            start fullscreen (F11 or Alt+Enter toggles it)\n"
           "  --scale N               a window N times 800x600 (N from 1 to 4)\n"
           "  --quiet                 no trace on standard output\n"
           "  --data DIR              play the data in DIR (default: data)\n"
           "  --uncapped              passes as fast as they go (for measuring)\n"
           "  --player NAME           play the character in data/NAME\n"
           "  --opponent NAME         the opponent plays data/NAME\n"
           "  --record FILE           save the match's replay to FILE (not the usual place)\n"
           "  --replay FILE           watch a replay: Space pauses, Right steps, 1 2 4 speed\n"
           "  --host [PORT]           play online: wait for a player on UDP PORT (7650)\n"
           "  --join HOST[:PORT]      play online against the game hosting on HOST\n"
           "  --watch HOST[:PORT]     watch the match the game on HOST hosts\n"
           "  --input-delay N         online: your keys act N steps (of 11 ms) late, 0 to 8\n"
           "                          (default 2); fewer rollbacks for a little lag\n"
           "  --rounds, --time, --cpu, --scale and --fullscreen are also settings: the\n"
           "  settings file beside the controls file gives them when the option is absent\n"
           "  --version               the version\n"
           "  --help                  this text\n";
}

std::string versionText() {
    return "brawler 1.1\n";
}

optionsResult readOptions(int argc, char** argv, gameOptions& options, std::string& message) {
    // getopt_long keeps its place between calls; a second reading starts afresh.
    optind = 0;
    opterr = 0;
    int id = 0;
    // "+": no reordering, so the argument getopt is about to read is argv[optind]. The game
    // has no short options, so "-xz" fails on its first letter while getopt still stands on
    // it, and the message quotes what the player typed, not the program's name.
    for (int at = 1; (id = getopt_long(argc, argv, "+:", kOptions, nullptr)) != -1; at = optind) {
        if (id == optHelp)
            return optionsResult::help;
        if (id == optVersion)
            return optionsResult::version;
        if (id == ':') {
            message = std::string("brawler: ") + argv[at] + " needs a value";
            return optionsResult::wrong;
        }
        if (id == '?') {
            message = std::string("brawler: unknown option \"") + argv[at] + "\"";
            return optionsResult::wrong;
        }
        if (!take(id, argc, argv, options, message))
            return optionsResult::wrong;
    }
    if (optind < argc) {
        message = std::string("brawler: unexpected argument \"") + argv[optind] + "\"";
        return optionsResult::wrong;
    }
    if (options.classic && options.versus) {
        message = "brawler: --versus plays a match; leave out --classic";
        return optionsResult::wrong;
    }
    bool online = options.hosting || !options.joinHost.empty();
    if (online && (options.classic || options.versus ||
                   (options.hosting && !options.joinHost.empty()) || !options.replayFile.empty())) {
        message = "brawler: online play is --host, --join or --watch alone: leave out --classic, "
                  "--versus, --replay and the others of the three";
        return optionsResult::wrong;
    }
    // The level is the match's computer's: the classic game's opponent has none, and in
    // versus or online nobody is the computer.
    if (options.cpuNamed && (options.classic || options.versus || online)) {
        message = "brawler: --cpu sets the level of the computer you fight in a match; leave "
                  "it out with --classic, --versus and online play";
        return optionsResult::wrong;
    }
    // Training is one player against a dummy, on this machine, with nothing to replay.
    if (options.training &&
        (options.classic || options.versus || online || options.watching || options.roundsNamed ||
         !options.recordFile.empty() || !options.replayFile.empty())) {
        message = "brawler: --training is one player against a dummy; leave out --classic, "
                  "--versus, --rounds, --record, --replay and online play";
        return optionsResult::wrong;
    }
    if (options.classic && (!options.recordFile.empty() || !options.replayFile.empty())) {
        message = "brawler: a replay is of a match; leave out --classic";
        return optionsResult::wrong;
    }
    return optionsResult::play;
}
