#include "tools/checker/checkerApp.h"

#include <cstdlib>
#include <filesystem>

#include "SDL.h"
#include "SDL_mixer.h"

#include "config/controlsConfig.h"
#include "config/controlsFile.h"
#include "config/gameSettings.h"
#include "config/settingsFile.h"
#include "datafile/loadReport.h"
#include "tools/checker/dataChecker.h"
#include "tools/checker/quietStreams.h"

namespace {

const char* const kUsage =
    "usage: brawler-check [--quiet] [DATA_DIR]\n"
    "       brawler-check [--quiet] --character DATA_DIR/NAME\n"
    "       brawler-check [--quiet] --controls FILE\n"
    "       brawler-check [--quiet] --settings FILE\n"
    "Checks a data folder (default: data) as the game reads it: the shared content and\n"
    "every character folder in it. --character checks one character folder alone,\n"
    "--controls a controls file, --settings a settings file.\n";

std::string plural(int n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// The controls or settings file gives the game's own warnings, as the game prints them;
// any is a line the game cannot use, so it fails the check.
int checkConfigFile(const std::string& path, bool quiet, std::string& output, bool settings) {
    std::vector<std::string> warnings;
    if (settings) {
        gameSettings read;
        // The game passes over a missing settings file; a file named for checking is
        // expected to be there.
        if (!settingsFile::read(path, read, warnings) && warnings.empty())
            warnings.push_back("brawler: warning: " + path +
                               ": cannot read the settings file (no such file)");
    } else {
        controlsConfig controls;
        readControlsFile(path, controls, warnings);
    }
    if (!quiet)
        for (const std::string& line : warnings)
            output += line + "\n";
    output += plural(static_cast<int>(warnings.size()), "problem") + "\n";
    return warnings.empty() ? 0 : 1;
}

} // namespace

int checkerApp::run(const std::vector<std::string>& args, std::string& output) {
    bool quiet = false;
    std::string dataRoot = "data";
    std::string character; // a character's name, when one is checked alone
    bool rootGiven = false;
    std::string controlsPath;
    bool controlsGiven = false;
    bool settingsGiven = false; // the file given is a settings file, not a controls file
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--quiet") {
            quiet = true;
        } else if ((a == "--controls" || a == "--settings") && i + 1 < args.size() &&
                   !controlsGiven) {
            controlsPath = args[++i];
            controlsGiven = true;
            settingsGiven = a == "--settings";
        } else if (a == "--help" || a == "-h") {
            output += kUsage;
            return 0;
        } else if (a == "--character" && i + 1 < args.size() && !rootGiven) {
            std::filesystem::path folder(args[++i]);
            if (!folder.has_filename())
                folder = folder.parent_path(); // data/NAME/ as well as data/NAME
            character = folder.filename().string();
            dataRoot = folder.has_parent_path() ? folder.parent_path().string() : ".";
            rootGiven = true;
        } else if ((!a.empty() && a[0] == '-') || rootGiven) {
            output += kUsage;
            return 2;
        } else {
            dataRoot = a;
            rootGiven = true;
        }
    }
    if (controlsGiven) {
        if (rootGiven) {
            output += kUsage;
            return 2;
        }
        return checkConfigFile(controlsPath, quiet, output, settingsGiven);
    }

    // Dummy drivers whatever the caller's environment says: nothing is shown or played.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    loadReport report;
    {
        quietStreams silence;
        // Bring up only what is not up yet; SDL stays up for the rest of the process.
        if (!SDL_WasInit(SDL_INIT_EVERYTHING)) {
            SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO);
        } else {
            if (!SDL_WasInit(SDL_INIT_VIDEO))
                SDL_InitSubSystem(SDL_INIT_VIDEO);
            if (!SDL_WasInit(SDL_INIT_AUDIO))
                SDL_InitSubSystem(SDL_INIT_AUDIO);
        }
        if (!SDL_GetVideoSurface())
            SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE);
        bool openedAudio = false;
        if (Mix_QuerySpec(nullptr, nullptr, nullptr) == 0)
            openedAudio = Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) == 0;
        if (!SDL_GetVideoSurface())
            report.error(dataRoot, 0,
                         std::string("SDL video did not start (") + SDL_GetError() +
                             "), so no image was checked — check the SDL installation");
        else {
            if (Mix_QuerySpec(nullptr, nullptr, nullptr) == 0)
                report.warning(dataRoot, 0,
                               std::string("SDL_mixer did not open (") + Mix_GetError() +
                                   "), so sounds were only looked for, not decoded");
            dataChecker checker(dataRoot, report);
            if (character.empty())
                checker.run();
            else
                checker.runCharacter(character);
        }
        if (openedAudio)
            Mix_CloseAudio();
    }

    if (!quiet)
        for (const std::string& line : report.sortedLines())
            output += line + "\n";
    output += plural(report.errorCount(), "error") + ", " +
              plural(report.warningCount(), "warning") + "\n";
    return report.errorCount() > 0 ? 1 : 0;
}
