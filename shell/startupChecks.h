#pragma once

#include <string>

class animationSet;
class moveSet;

// Checks at start-up that turn a silent failure into a message for the person running
// the game. Each prints its lines through reportProblem.

// Ends the game with exit code 1 when SDL, asked for nothing in particular, could only
// find a video driver that shows nothing ("offscreen" or "dummy"): without a display
// the game would run for ever with no window. A driver named in SDL_VIDEODRIVER is
// taken as meant, so tests and tools can still run without a window. Call after
// SDL_Init.
void requireVisibleDisplay();
// Ends the game with exit code 1 when the data folder does not exist, naming where it
// was looked for, before every loader reports its own missing file.
void requireDataFolder(const std::string& dataRoot);
// Ends the game with exit code 1 when the character cannot be played at all, and warns
// once for every name the game asks for that the character cannot answer itself.
void checkCharacter(const animationSet& anims, const moveSet& moves);
