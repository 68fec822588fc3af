#pragma once

#include <string>

struct moveInfo;

// A move's numbers as training shows them, in fight steps of 11 ms, read off its frames'
// delays and boxes, timed as the fight shows frames (each its scaled delay and one ms).
struct frameData {
    std::string name;    // the move's name
    int damage = 0;      // hit points it takes when its attack boxes stay on throughout
    int startup = 0;     // steps before the first active frame shows; it lands a step later
    int active = 0;      // steps an attack box (or the throw of a projectile) is out
    int recovery = 0;    // steps from the last active frame's end to the move's end
    bool attack = false; // some frame hurts or throws; the step counts mean nothing else
};

// The numbers of `move` for a fighter whose frame delays are multiplied by `speed`.
frameData frameDataOf(const moveInfo& move, float speed);
// Whole steps a span of `ms` game milliseconds covers: a frame that starts inside a step
// shows from the step after it.
int stepsFor(int ms);
