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

// brawler-run [--trace] [--flip] [--window] [--hold MS] SCRIPT: runs a fight script
// headless and prints its summary. Exit code 0 when every check held, 1 when one did
// not, 2 for a script it cannot read.
//   --flip    present the whole screen every pass instead of what changed
//   --window  use the video driver the environment names (a real window) instead of
//             the dummy one
//   --hold MS after the summary, keep the window showing the last pass for MS ms of
//             real time, so a screenshot of it can be taken
int main(int argc, char** argv) {
    bool trace = false;
    bool flip = false;
    bool window = false;
    long holdMs = 0;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--trace" && !trace) {
            trace = true;
        } else if (arg == "--flip") {
            flip = true;
        } else if (arg == "--window") {
            window = true;
        } else if (arg == "--hold" && i + 1 < argc) {
            holdMs = strtol(argv[++i], nullptr, 10);
        } else if (path.empty() && !arg.empty() && arg[0] != '-') {
            path = arg;
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        fprintf(stderr, "usage: brawler-run [--trace] [--flip] [--window] [--hold MS] SCRIPT\n");
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

    // Headless unless a window is asked for, whatever the environment says.
    if (!window)
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    FightRunner runner;
    runner.presentAll = flip;
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
    // The last pass stays on show, the virtual clock stopped, until the hold is over.
    for (Uint32 start = SDL_GetTicks(); holdMs > 0 && SDL_GetTicks() - start < Uint32(holdMs);) {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
    return runner.failures.empty() ? 0 : 1;
}
