#pragma once

#include "tools/contentgen/Geometry.h"

namespace contentgen {

// One arm or leg. Angles are degrees from straight down, positive towards the way the
// fighter faces (see limbDirection): an arm punching level is {90, 90}.
struct LimbPose {
    double upper = 0.0; // upper arm or thigh
    double lower = 0.0; // forearm or shin
    double end = 90.0;  // legs only: the foot; 90 lies flat pointing forward
};

// The limb whose end an attack frame strikes with; its attack box is drawn around it.
enum class Striker { None, NearFist, FarFist, NearFoot, FarFoot };

// A key pose of the fighter, facing right. "Near" limbs are on the viewer's side of the
// body and are drawn in front of it, "far" ones behind.
struct Pose {
    Vec2 hip{0.0, -74.0}; // pelvis, pixels from the anchor (y negative is up)
    bool grounded = true; // lowered or raised so that the lowest foot meets the ground
    double torso = 8.0;   // lean forward from upright, degrees
    double head = 0.0;    // extra tilt of the head, degrees, positive looks down
    LimbPose armNear{55.0, 150.0};
    LimbPose armFar{30.0, 165.0};
    LimbPose legNear{22.0, 5.0};
    LimbPose legFar{-24.0, -12.0};
    double bandSwing = 0.0; // headband tails, degrees of extra lift
    Striker striker = Striker::None;
};

} // namespace contentgen
