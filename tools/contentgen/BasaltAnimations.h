#pragma once

#include <vector>

#include "tools/contentgen/FighterFrames.h"

namespace contentgen {

// Basalt's looping animations, the ones the engine asks for by name (blank, walk,
// standing, duck, inAir), and the match's knockout and victory. Slower than the
// Brawler's: every cycle takes longer, as a heavy man's would.
class BasaltAnimations {
public:
    explicit BasaltAnimations(const FighterFrames& frames);

    std::vector<Sheet> build() const;
    // ko and win: loaded by folder name, kept out of the animation list.
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
