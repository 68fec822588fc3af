#pragma once

#include <vector>

#include "tools/contentgen/ContentModel.h"
#include "tools/contentgen/FighterFrames.h"

namespace contentgen {

// Basalt's moves in moveset order, longer commands before shorter ones with the same
// button. His specials are the Brawler's opposites: a shoulder rush that carries him
// forward with its attack box out front, and a stone thrown high that falls under
// gravity and rolls along the floor.
class BasaltMoves {
public:
    BasaltMoves(const FighterArtist& artist, const FighterFrames& frames);

    std::vector<MoveRecord> build() const;
    // The opponent's attack table, short entries first, then mid, then long.
    static AttackTable attackTable();

    // Where the thrown stone's anchor starts: forward and up from his anchor, just
    // ahead of the hand at the top of the throw.
    SpawnLine stoneSpawn() const;

private:
    MoveRecord hit() const;
    MoveRecord blockHigh() const;
    MoveRecord blockLow() const;
    MoveRecord blockAir() const;
    MoveRecord stoneToss() const;
    MoveRecord shoulderRush() const;
    MoveRecord lowHammer() const;
    MoveRecord airSlam() const;
    MoveRecord hook() const;
    MoveRecord stomp() const;
    MoveRecord hammer() const;

    const FighterArtist& artist_;
    const FighterFrames& frames_;
};

} // namespace contentgen
