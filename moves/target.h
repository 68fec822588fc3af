#pragma once

#include "collision/colBox.h"

class Fighter;

// A handle on a fighter (normally the opponent) for controllers that must look at it
// without owning it. With no fighter set it reports the fallback position and empty
// boxes.
class Target {
public:
    int fallbackX = 0;          // x reported while no fighter is set, screen pixels
    int fallbackY = 0;          // y reported while no fighter is set, screen pixels
    Fighter* fighter = nullptr; // the fighter looked at, not owned

    void setTarget(Fighter* f);
    Fighter* returnTarget() const;
    // The fighter's anchor position, read afresh on every call.
    int retX() const;
    int retY() const;
    // Body box in screen pixels; the facing flag is accepted for symmetry with the
    // sprite's box query and not needed, since the fighter knows its own facing.
    colBox getColBox(bool facingRight) const;
    // Attack box in screen pixels.
    colBox getDmgBox() const;
};
