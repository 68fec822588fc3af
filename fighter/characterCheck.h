#pragma once

#include <string>
#include <vector>

class animationSet;
class moveSet;

// The animations and the moves the fighters and controllers ask the character for.
const std::vector<std::string>& requiredAnimationNames();
const std::vector<std::string>& requiredMoveNames();

// Whether a character can be played at all: it needs at least one animation with
// frames and at least one move. When not, `why` (if given) names the character folder,
// what is missing and the file at fault.
bool characterUsable(const animationSet& anims, const moveSet& moves, std::string* why);

// One line for every name the game asks the character for (its animations and its
// reaction and block moves) that the character cannot answer with frames of its own:
// the folder or file at fault and what the game shows instead. Empty when all is well.
std::vector<std::string> characterWarnings(const animationSet& anims, const moveSet& moves);
