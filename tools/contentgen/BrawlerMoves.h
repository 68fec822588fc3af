#pragma once

#include <vector>

#include "tools/contentgen/ContentModel.h"
#include "tools/contentgen/FighterFrames.h"

namespace contentgen {

// The fighter's moves in moveset order. The order matters: the game takes the first
// move whose command appears in the buffered letters, so each longer command stands
// before the shorter ones that end with the same button.
class BrawlerMoves {
public:
    BrawlerMoves(const FighterArtist& artist, const FighterFrames& frames);

    std::vector<MoveRecord> build() const;

    // Where the projectile special puts the fireball's anchor: forward and up from the
    // fighter's anchor, just ahead of his palms.
    SpawnLine fireballSpawn() const;

private:
    MoveRecord hit() const;
    MoveRecord blockHigh() const;
    MoveRecord blockLow() const;
    MoveRecord blockAir() const;
    MoveRecord fireball() const;
    MoveRecord jab() const;
    MoveRecord uppercut() const;
    MoveRecord strike() const;
    MoveRecord sweep() const;
    MoveRecord airKick() const;
    MoveRecord kick() const;

    const FighterArtist& artist_;
    const FighterFrames& frames_;
};

} // namespace contentgen
