#include "config/controlsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/controlsConfig.h"
#include "config/replayPlace.h"
#include "config/controlsReader.h"

namespace {

std::string cannotRead(const std::string& path, int error) {
    return "brawler: warning: " + path + ": cannot read the controls file (" +
           std::strerror(error) + ") — check its name and that it is a readable file; " +
           "the game starts with the default keys";
}

} // namespace

std::string defaultControlsPath() {
    std::string folder = xdgGameFolder("XDG_CONFIG_HOME", ".config");
    return folder.empty() ? "" : folder + "/controls";
}

bool readControlsFile(const std::string& path, controlsConfig& controls,
                      std::vector<std::string>& warnings, bool missingIsQuiet) {
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) {
        int error = errno;
        if (!(missingIsQuiet && error == ENOENT))
            warnings.push_back(cannotRead(path, error));
        return false;
    }
    // A folder opens but does not read; a file half read keeps what it gave.
    controlsReader(path, controls, warnings).read(f);
    bool failed = std::ferror(f);
    int error = errno;
    std::fclose(f);
    if (failed)
        warnings.push_back(cannotRead(path, error));
    return !failed;
}

controlsConfig loadControls(const std::string& givenPath, std::vector<std::string>& warnings) {
    controlsConfig controls;
    if (!givenPath.empty())
        readControlsFile(givenPath, controls, warnings);
    else if (std::string place = defaultControlsPath(); !place.empty())
        readControlsFile(place, controls, warnings, true);
    return controls;
}
