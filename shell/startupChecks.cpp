#include "shell/startupChecks.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "SDL.h"

#include "datafile/problemReport.h"
#include "fighter/characterCheck.h"

namespace fs = std::filesystem;

void requireVisibleDisplay() {
    const char* asked = getenv("SDL_VIDEODRIVER");
    if (asked && *asked)
        return;
    char name[64] = "";
    if (!SDL_VideoDriverName(name, sizeof name))
        return;
    std::string driver = name;
    // With no display to reach, SDL falls back to drivers that draw into memory only.
    if (driver != "offscreen" && driver != "dummy")
        return;
    const char* display = getenv("DISPLAY");
    std::string why = display && *display ? "nothing answered at DISPLAY=" + std::string(display)
                                          : std::string("DISPLAY is not set");
    reportProblem("no display to show the game on: " + why + ", so SDL fell back to its \"" +
                  driver + "\" video driver, which shows nothing");
    reportProblem("run the game in a desktop session, or set DISPLAY to a running X server "
                  "(for example DISPLAY=:0 ./play); to run it without a window on purpose, "
                  "set SDL_VIDEODRIVER=dummy");
    exit(1);
}

void requireDataFolder(const std::string& dataRoot) {
    std::error_code ec;
    if (fs::is_directory(dataRoot, ec))
        return;
    fs::path root(dataRoot);
    std::string where;
    if (root.is_absolute()) {
        where = "there is no folder " + dataRoot;
    } else {
        fs::path cwd = fs::current_path(ec);
        where = "looked for " + (cwd / root).string() + ", relative to the working directory " +
                cwd.string();
    }
    reportProblem("cannot find the data folder \"" + dataRoot + "\" (" + where + ")");
    reportProblem("start the game from the folder that holds data/ (the top folder of the "
                  "repository), or with ./play, which does that from anywhere");
    exit(1);
}

void checkCharacter(const animationSet& anims, const moveSet& moves) {
    std::string why;
    if (!characterUsable(anims, moves, &why)) {
        reportProblem(why);
        exit(1);
    }
    for (const std::string& line : characterWarnings(anims, moves))
        reportProblem("warning: " + line);
}
