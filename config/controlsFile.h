#pragma once

#include <string>
#include <vector>

class controlsConfig;

// Where the controls file is and how it is read. The game reads the file named by
// --controls, else the one at the default place, else plays with the defaults; a file
// that cannot be used line by line only costs warnings.

// The default place: $XDG_CONFIG_HOME/brawler/controls, or ~/.config/brawler/controls
// when XDG_CONFIG_HOME is unset or empty; empty when HOME is unset as well.
std::string defaultControlsPath();

// Reads the controls file at `path` over `controls`, appending a "brawler: warning:"
// line to `warnings` for every line that cannot be used. A file that cannot be opened
// or read is a warning too, unless it is missing and `missingIsQuiet`. Returns whether
// the file was read.
bool readControlsFile(const std::string& path, controlsConfig& controls,
                      std::vector<std::string>& warnings, bool missingIsQuiet = false);

// The controls to play with: the defaults, changed by the file `givenPath` (from
// --controls; a missing one is a warning) or, when it is empty, by the file at the
// default place (a missing one is silent).
controlsConfig loadControls(const std::string& givenPath, std::vector<std::string>& warnings);
