#pragma once

#include <cstdio>
#include <string>
#include <vector>

class gameSettings;
struct gameOptions;

// The settings file: `name = value` lines as in the controls file (`sound = 7`,
// `fullscreen = yes`, `time = none`), `#` starting a comment line. A line that cannot be
// used keeps its setting as it was and adds a "brawler: warning: FILE:LINE: ..." line;
// nothing in the file stops the game from starting. The file is optional: a missing one
// is not mentioned.
class settingsFile {
public:
    // Reads the file at `path` over `settings`; false when it is missing or cannot be
    // read (a warning then, unless it is missing).
    static bool read(const std::string& path, gameSettings& settings,
                     std::vector<std::string>& warnings);
    // Reads an open file; `name` is how warnings name it.
    static void read(FILE* f, const std::string& name, gameSettings& settings,
                     std::vector<std::string>& warnings);
    // Every setting with a comment saying what it does: read back, the same settings.
    static std::string text(const gameSettings& settings);
    // Writes text(settings) over `path`, making its folder; false with `error` saying
    // why when it cannot. A file half written never replaces the one there.
    static bool write(const std::string& path, const gameSettings& settings, std::string& error);
    // Every option the command line did not give takes the settings' value.
    static void applyTo(const gameSettings& settings, gameOptions& options);
    // Writes `text` over `path` through a file beside it that is renamed into place,
    // making the folder; false with `error` ("cannot write PATH (reason)") when it cannot.
    static bool replaceFile(const std::string& path, const std::string& text, std::string& error);
};
