#pragma once

#include "tools/contentgen/FighterFrames.h"

namespace contentgen {

// The small edits every move is written with: a beat of a pose, then its sound, its
// strike, its step and its note, each returning the changed beat.
namespace choreography {

constexpr const char* kReaction = "N"; // ends in no button, so no button list holds it
constexpr const char* kAnyState = "null";
constexpr const char* kOnGround = "ground = true";
constexpr const char* kInAir = "ground = false";

Beat beat(const Pose& pose, int delay, const char* label);
Beat withSound(Beat b, const char* sound);
// An active frame: the attack box goes around `striker`'s end.
Beat active(Beat b, Striker striker, int damage);
Beat moving(Beat b, int moveX, int moveY = 0);
Beat noted(Beat b, const char* note);

} // namespace choreography

} // namespace contentgen
