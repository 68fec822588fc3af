#pragma once

#include <string>
#include <vector>

// The command line of brawler-check: `brawler-check [--quiet] [DATA_DIR]`, or
// `brawler-check [--quiet] --controls FILE` for a controls file (no SDL then), or
// `--character DATA_DIR/NAME` for one character folder alone. Brings up
// SDL with the dummy video and audio drivers (the checker decodes images and sounds
// but shows and plays nothing), keeps the loaders' trace out of its output, checks the
// folder and writes one line per problem, sorted by file and line, then a summary.
// SDL is left up when it returns, for the rest of the process.
class checkerApp {
public:
    // Runs the checker with the arguments after the program name; appends what it
    // would print to `output`. Returns the exit code: 0 clean or warnings only, 1 when
    // an error was found, 2 for a bad command line.
    int run(const std::vector<std::string>& args, std::string& output);
};
