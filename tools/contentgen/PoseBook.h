#pragma once

#include "tools/contentgen/Pose.h"

namespace contentgen {

// The fighter's key poses, from which animations and moves are built by changing a
// few joints. All face right.
class PoseBook {
public:
    // Fighting stance: lead leg forward, fists up, lead fist in front of the face.
    static Pose guard();
    // Low crouch with the guard kept up; low enough that a standing jab passes over.
    static Pose crouch();
    // Knees tucked in a jump; the feet stay near the anchor so landing does not pop.
    static Pose airborne();
    // One moment of the guarded walk, phase in [0, 1).
    static Pose walk(double phase);
    // One moment of the idle breathing, phase in [0, 1).
    static Pose breathe(double phase);
    // Flat on his back after a knockout, head behind him (to the left), legs forward.
    static Pose lyingDown();
    // The victory pose, front fist raised; lift in [0, 1] bounces it from knees bent
    // (0) to standing tall (1).
    static Pose victory(double lift);
    // One moment of a full sprint, phase in [0, 1) (the small runner sheet).
    static Pose run(double phase);
};

} // namespace contentgen
