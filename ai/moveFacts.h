#pragma once

#include "moves/attackHeight.h"

struct moveInfo;

// What a move does, read off its frames, for the computer to choose and to answer moves
// by their data rather than by their names. Times are game milliseconds from the move's
// start (frame delays scaled by the fighter's speed); lengths are pixels measured from
// the fighter's anchor as if it faced right.
struct moveFacts {
    bool attack = false;     // some frame deals damage or throws a projectile
    bool projectile = false; // some frame throws a particle
    bool special = false;    // its command holds two or more directions
    bool airOnly = false;    // its condition asks for the air
    bool groundOnly = false; // its condition asks for the ground
    attackHeight height = attackHeight::mid;
    int firstActive = -1; // index of the first frame that hurts or throws, -1 for none
    int lastActive = -1;  // index of the last such frame
    int startupMs = 0;    // before the first active frame
    int activeEndMs = 0;  // until the last active frame ends
    int totalMs = 0;      // the whole move
    int reach = 0;        // farthest point of an attack box ahead of the anchor, with the
                          // ground the move covers before it
    int top = 0;          // highest point of an attack box above the feet
    int bottom = 0;       // lowest point of an attack box above the feet
    int damage = 0;       // damage of its active frames, one contact step each
};

// The facts of `move` for a fighter whose frame delays are multiplied by `speed`.
moveFacts factsOf(const moveInfo& move, float speed);
// Milliseconds from the start of `frame` to the end of the move.
int msLeftFrom(const moveInfo& move, int frame, float speed);
