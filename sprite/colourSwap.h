#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "SDL.h"

class CSpriteBase;
class loadReport;

// One line of a colour-swap file: a colour the frames use and the one drawn instead.
struct colourPair {
    Uint8 from[3] = {0, 0, 0}; // R G B as the frames hold it
    Uint8 to[3] = {0, 0, 0};   // R G B that replaces it
    int line = 0;              // 1-based line of the file it came from
};

// A character's second colours (its `palette2` file), so that two fighters of the same
// character can be told apart. Text: `#` starts a comment line, blank lines are
// skipped, every other line is six whole numbers "R G B  R G B". Recolouring works on a
// loaded sheet in place; the swap owns only its list of pairs.
class colourSwap {
public:
    // Reads the file. Returns 0, or -1 when it cannot be opened (a missing file is not
    // a problem: the swap is optional). A bad line is skipped; with a report it is
    // recorded with its line, without one the first problem of the file goes to
    // standard error.
    int load(const std::string& path, loadReport* report = nullptr);
    // Recolours every frame of the sheet, mirrored copies included, by exact RGB match.
    // Key-colour pixels stay as they are, so the frame keeps its outline on the stage.
    void apply(CSpriteBase& sheet) const;
    size_t size() const { return pairs_.size(); }
    const std::vector<colourPair>& pairs() const { return pairs_; }

private:
    std::vector<colourPair> pairs_;
};
