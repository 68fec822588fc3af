#include "config/options.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>

namespace {

enum optionId { optClassic = 1, optRounds, optHelp };

const option kOptions[] = {{"classic", no_argument, nullptr, optClassic},
                           {"rounds", required_argument, nullptr, optRounds},
                           {"help", no_argument, nullptr, optHelp},
                           {nullptr, 0, nullptr, 0}};

bool readRounds(const char* text, int& rounds) {
    errno = 0;
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < 1 || n > 9 || n % 2 == 0)
        return false;
    rounds = static_cast<int>(n);
    return true;
}

} // namespace

std::string usageText() {
    return "usage: brawler [OPTIONS]\n"
           "  --rounds N   a match is best of N rounds (N odd, 1 to 9; default 3)\n"
           "  --classic    the endless fight: no rounds, no HUD\n"
           "  --help       this text\n";
}

optionsResult readOptions(int argc, char** argv, gameOptions& options, std::string& message) {
    // getopt_long keeps its place between calls; a second reading starts afresh.
    optind = 0;
    opterr = 0;
    int id = 0;
    while ((id = getopt_long(argc, argv, ":", kOptions, nullptr)) != -1) {
        switch (id) {
        case optClassic:
            options.classic = true;
            break;
        case optRounds:
            if (!readRounds(optarg, options.rounds)) {
                message = std::string("brawler: --rounds takes an odd whole number from 1 to "
                                      "9, not \"") +
                          optarg + "\"";
                return optionsResult::wrong;
            }
            break;
        case optHelp:
            return optionsResult::help;
        case ':':
            message = std::string("brawler: ") + argv[optind - 1] + " needs a value";
            return optionsResult::wrong;
        default:
            message = std::string("brawler: unknown option \"") + argv[optind - 1] + "\"";
            return optionsResult::wrong;
        }
    }
    if (optind < argc) {
        message = std::string("brawler: unexpected argument \"") + argv[optind] + "\"";
        return optionsResult::wrong;
    }
    return optionsResult::play;
}
