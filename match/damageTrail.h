#pragma once

#include <string>

#include "SDL.h"

// The lighter segment a life bar keeps for a moment after a hit, showing the damage just
// taken: it starts at the hit points before the hit and shrinks to the hit points now
// over kShrinkMs. Hits that follow each other stretch one segment.
class damageTrail {
public:
    static constexpr Uint32 kShrinkMs = 500;
    // The segment shrinks in steps this far apart, 40 a second: smooth to the eye, and the
    // bar is redrawn (and presented) 40 times a second while it shrinks, not every pass.
    static constexpr Uint32 kStepMs = 25;

    // Takes the hit points at `now`; a drop starts (or stretches) the segment, a rise
    // (a new round) clears it.
    void follow(int hitPoints, Uint32 now);
    // The top of the segment at `now`, in hit points: at least the current hit points.
    int top(Uint32 now) const;
    // Every value as one line of numbers: for a fight's checksum.
    std::string valuesText() const;

private:
    int hp_ = -1;      // hit points last followed; -1 before the first
    int from_ = 0;     // the segment's top when it last started shrinking
    Uint32 since_ = 0; // game clock (ms) of the last drop
};
