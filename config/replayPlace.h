#pragma once

#include <string>
#include <vector>

// A folder of the game's under an XDG base folder: $VAR/brawler, or ~/FALLBACK/brawler
// when VAR is unset or empty; empty when HOME is unset as well.
std::string xdgGameFolder(const char* variable, const char* underHome);
// Where the game keeps the replays of the matches played: $XDG_DATA_HOME/brawler/replays,
// or ~/.local/share/brawler/replays when XDG_DATA_HOME is unset or empty; empty when
// HOME is unset as well.
std::string replayFolder();
// A new replay's path in `folder`, named by the local date and time and the characters
// ("2026-12-09_14-03-22_Brawler-vs-Basalt.replay"), the folder made when missing; empty
// when it cannot be made.
std::string newReplayPath(const std::string& folder, const std::string& player,
                          const std::string& opponent);
// Removes the oldest replays of the folder (by name, which starts with the date) beyond
// the newest `keep`.
void keepNewestReplays(const std::string& folder, size_t keep);
// The replays of `folder`, newest first (by name, which starts with the date).
std::vector<std::string> listReplays(const std::string& folder);
