#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "shell/shell.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"
#include "tools/runner/traceMute.h"

// brawler-run [--trace] SCRIPT: runs a fight script headless and prints its summary.
// Exit code 0 when every check held, 1 when one did not, 2 for a script it cannot read.
int main(int argc, char** argv) {
    bool trace = false;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--trace" && !trace) {
            trace = true;
        } else if (path.empty() && !arg.empty() && arg[0] != '-') {
            path = arg;
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        fprintf(stderr, "usage: brawler-run [--trace] SCRIPT\n");
        return 2;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fprintf(stderr, "brawler-run: cannot read the script %s\n", path.c_str());
        return 2;
    }
    std::ostringstream text;
    text << in.rdbuf();
    FightScript script;
    script.name = path;
    std::string error;
    if (!script.parse(text.str(), &error)) {
        fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }

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

    // Always headless, whatever the environment says.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    FightRunner runner;
    FightSummary summary;
    {
        TraceMute mute(!trace);
        sdlInit();
        summary = runner.run(script);
    }
    fputs(summary.format().c_str(), stdout);
    fflush(stdout);
    for (const std::string& failure : runner.failures)
        fprintf(stderr, "%s\n", failure.c_str());
    return runner.failures.empty() ? 0 : 1;
}
