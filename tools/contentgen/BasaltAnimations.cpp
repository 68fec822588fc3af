#include "tools/contentgen/BasaltAnimations.h"

#include "tools/contentgen/BasaltPoses.h"

namespace contentgen {

namespace {

std::vector<Beat> cycle(int frames, int delay, const char* label, Pose (*at)(double)) {
    std::vector<Beat> beats;
    for (int i = 0; i < frames; ++i) {
        Beat b;
        b.pose = at(static_cast<double>(i) / frames);
        b.delay = delay;
        b.label = label;
        beats.push_back(b);
    }
    return beats;
}

} // namespace

BasaltAnimations::BasaltAnimations(const FighterFrames& frames) : frames_(frames) {}

std::vector<Sheet> BasaltAnimations::build() const {
    return {FighterFrames::blank(), walk(), standing(), duck(), inAir()};
}

std::vector<Sheet> BasaltAnimations::matchSheets() const {
    return {ko(), win()};
}

Sheet BasaltAnimations::walk() const {
    std::vector<Beat> beats = cycle(8, 16, "step", BasaltPoses::walk);
    beats[0].note = "walk: heavy steps; the controller does the moving";
    return frames_.sheet("walk", beats);
}

Sheet BasaltAnimations::standing() const {
    std::vector<Beat> beats = cycle(4, 75, "idle", BasaltPoses::breathe);
    beats[0].note = "standing: slow, deep breaths over a wide base";
    return frames_.sheet("standing", beats);
}

Sheet BasaltAnimations::duck() const {
    Beat low;
    low.pose = BasaltPoses::crouch();
    low.delay = 70;
    low.label = "crouch";
    low.note = "duck: squats while down is held";
    Beat breath = low;
    breath.pose.torso += 2.0;
    breath.pose.armNear.upper += 3.0;
    breath.note.clear();
    return frames_.sheet("duck", {low, breath});
}

Sheet BasaltAnimations::inAir() const {
    Beat up;
    up.pose = BasaltPoses::airborne();
    up.delay = 35;
    up.label = "jump";
    up.note = "inAir: loops until landing";
    Beat flail = up;
    flail.pose.armNear.upper += 12.0;
    flail.pose.armFar.upper += 8.0;
    flail.note.clear();
    return frames_.sheet("inAir", {up, flail});
}

// He topples forward onto his face, where the Brawler falls on his back.
Sheet BasaltAnimations::ko() const {
    Beat stagger;
    stagger.pose = BasaltPoses::stance();
    stagger.pose.torso = -20.0;
    stagger.pose.head = -20.0;
    stagger.pose.armNear = {20.0, 40.0};
    stagger.pose.armFar = {-10.0, 20.0};
    stagger.pose.legNear = {20.0, 20.0};
    stagger.delay = 50;
    stagger.label = "hit";
    stagger.note = "ko: sags to the knees and falls on his face; the match holds the last frame";

    Beat knees;
    knees.pose = stagger.pose;
    knees.pose.hip = {0.0, -44.0};
    knees.pose.torso = 20.0;
    knees.pose.head = 10.0;
    knees.pose.armNear = {5.0, 10.0};
    knees.pose.armFar = {-5.0, 0.0};
    knees.pose.legNear = {90.0, -10.0, 180.0};
    knees.pose.legFar = {80.0, -20.0, 180.0};
    knees.delay = 60;
    knees.label = "knees";

    Beat topple = knees;
    topple.pose.grounded = false;
    topple.pose.hip = {-20.0, -34.0};
    topple.pose.torso = 60.0;
    topple.pose.head = 10.0;
    topple.pose.armNear = {70.0, 80.0};
    topple.pose.armFar = {60.0, 70.0};
    topple.pose.legNear = {60.0, -40.0, 160.0};
    topple.pose.legFar = {50.0, -50.0, 160.0};
    topple.delay = 40;
    topple.label = "fall";

    Beat down;
    down.pose = topple.pose;
    down.pose.hip = {-36.0, -16.0};
    down.pose.torso = 88.0;
    down.pose.head = 6.0;
    down.pose.armNear = {120.0, 160.0};
    down.pose.armFar = {110.0, 150.0};
    down.pose.legNear = {-86.0, -90.0, -10.0};
    down.pose.legFar = {-92.0, -96.0, -20.0};
    down.delay = 200;
    down.label = "down";
    return frames_.sheet("ko", {stagger, knees, topple, down});
}

// Loops: both fists pumped overhead, then beating his chest.
Sheet BasaltAnimations::win() const {
    Beat up;
    up.pose = BasaltPoses::fistsOverhead();
    up.pose.armNear = {150.0, 170.0};
    up.pose.armFar = {-150.0, -170.0};
    up.delay = 90;
    up.label = "cheer";
    up.note = "win: fists up, then a beat on the chest; loops";
    Beat higher = up;
    higher.pose.armNear = {165.0, 178.0};
    higher.pose.armFar = {-165.0, -178.0};
    higher.pose.head = -20.0;
    Beat chest;
    chest.pose = BasaltPoses::stance();
    chest.pose.torso = -6.0;
    chest.pose.head = -16.0;
    chest.pose.armNear = {40.0, 170.0};
    chest.pose.armFar = {30.0, 175.0};
    chest.delay = 90;
    chest.label = "cheer";
    return frames_.sheet("win", {up, higher, chest, higher});
}

} // namespace contentgen
