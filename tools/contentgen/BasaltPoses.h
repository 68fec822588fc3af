#pragma once

#include "tools/contentgen/Pose.h"

namespace contentgen {

// Basalt's key poses, facing right: a heavy man's stance, hunched over a wide base with
// the big hands held low and forward, where the Brawler keeps his fists at his face.
class BasaltPoses {
public:
    static Pose stance();
    // Squatting on a wide base, forearms across the knees.
    static Pose crouch();
    // A heavy hop: knees up, arms spread for balance.
    static Pose airborne();
    // One moment of the lumbering walk, phase in [0, 1).
    static Pose walk(double phase);
    // One moment of the slow, deep breathing, phase in [0, 1).
    static Pose breathe(double phase);
    // Both fists raised overhead, together: the top of every hammering blow.
    static Pose fistsOverhead();
};

} // namespace contentgen
