#pragma once

#include <vector>

#include "tools/contentgen/FighterFrames.h"

namespace contentgen {

// The fighter's looping animations: the ones the engine asks for by name (blank,
// walk, standing, duck, inAir).
class BrawlerAnimations {
public:
    explicit BrawlerAnimations(const FighterFrames& frames);

    std::vector<Sheet> build() const;

private:
    Sheet blank() const;
    Sheet walk() const;
    Sheet standing() const;
    Sheet duck() const;
    Sheet inAir() const;

    const FighterFrames& frames_;
};

} // namespace contentgen
