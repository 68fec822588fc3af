#pragma once

#include <vector>

#include "tools/contentgen/FighterFrames.h"

namespace contentgen {

// The fighter's looping animations: the ones the engine asks for by name (blank,
// walk, standing, duck, inAir), and the match's knockout and victory.
class BrawlerAnimations {
public:
    explicit BrawlerAnimations(const FighterFrames& frames);

    std::vector<Sheet> build() const;
    // The match's own sheets, ko and win: loaded by folder name, kept out of the
    // animation list so the classic game loads exactly what it always has.
    std::vector<Sheet> matchSheets() const;

private:
    Sheet walk() const;
    Sheet standing() const;
    Sheet duck() const;
    Sheet inAir() const;
    Sheet ko() const;
    Sheet win() const;

    const FighterFrames& frames_;
};

} // namespace contentgen
