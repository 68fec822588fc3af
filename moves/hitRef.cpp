#include "moves/hitRef.h"

#include <string>

#include "fighter/fighter.h"
#include "moves/moveSet.h"

namespace {

enum class stance { standing, ducking, airborne };

stance stanceOf(const Fighter* fighter) {
    stance s = stance::standing;
    if (!fighter)
        return s;
    if (fighter->actionName == "duck")
        s = stance::ducking;
    // Being in the air outranks whatever the action is called.
    if (!fighter->onGround)
        s = stance::airborne;
    return s;
}

// Reaction table: every stance flinches with "hit1" on hit type 1, and no other hit
// type has a reaction yet. Kept per stance so the content can grow a crouching or
// airborne flinch without touching the callers.
const char* reactionName(stance s, int hitType) {
    if (hitType != 1)
        return nullptr;
    switch (s) {
    case stance::standing:
    case stance::ducking:
    case stance::airborne:
        return "hit1";
    }
    return nullptr;
}

} // namespace

moveInfo* hitRef::hitReference(moveSet* moves, int hitType, Fighter* fighter) {
    const char* name = reactionName(stanceOf(fighter), hitType);
    if (!name || !moves)
        return nullptr;
    return moves->returnMove(name);
}
