#pragma once

#include <cstdint>
#include <string>
#include <vector>

class loadReport;
class moveSet;

// Where an attack strikes, which decides the guard that stops it: a low must be blocked
// crouching, an overhead standing, a mid or a high either way (a high passes over a
// crouching fighter when its box does). Read from a character's `heights` file, which
// only the match reads; a move it does not name is mid.
enum class attackHeight : uint8_t { high, mid, low, overhead };

// "high", "mid", "low" or "overhead".
const char* heightName(attackHeight h);
// The height a word names; false for any other word.
bool heightNamed(const std::string& word, attackHeight& out);
// Whether a guard held crouching (or standing) stops an attack of height `h`.
bool guardStops(attackHeight h, bool crouching);
// Whether a command is a special's: it holds a sequence of two directions or more (a
// quarter circle, a charge), so blocking it still costs a little.
bool specialCommand(const std::string& command);

// Reads <folder>/heights into the set's moves: one "move height" pair a line, '#' starts
// a comment. A missing file leaves every move mid. A line that cannot be used is skipped
// and described, one "file:line: what" a problem, and recorded in `report` (the data
// checker's) when one is given.
std::vector<std::string> readHeights(moveSet& set, const std::string& folder,
                                     loadReport* report = nullptr);
