#include "shell/startupChecks.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "fighter/characterCheck.h"
#include "sprite/problemReport.h"

namespace fs = std::filesystem;

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
