#pragma once

#include <functional>
#include <string>
#include <vector>

class Game;
struct controlsConfig;
struct gameOptions;

// The game against a player on another machine (--host or --join): the player picks a
// character, the two games connect and agree, and the match is played with rollback.
// The host goes back to waiting when a match ends because the other player left or
// went silent; the side that joined stops. `setUp` readies a Game from the options and
// `keep` saves a finished match's replay. The exit code: 0, or 1 when the match could
// not be played or ended out of step.
int playOnline(const gameOptions& options, const std::vector<std::string>& roster,
               const controlsConfig& controls, const std::function<void(Game&)>& setUp,
               const std::function<void(const Game&)>& keep);
