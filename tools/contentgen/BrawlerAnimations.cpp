#include "tools/contentgen/BrawlerAnimations.h"

#include <cmath>

#include "tools/contentgen/PoseBook.h"

namespace contentgen {

BrawlerAnimations::BrawlerAnimations(const FighterFrames& frames) : frames_(frames) {}

std::vector<Sheet> BrawlerAnimations::build() const {
    return {FighterFrames::blank(), walk(), standing(), duck(), inAir()};
}

std::vector<Sheet> BrawlerAnimations::matchSheets() const {
    return {ko(), win()};
}

// The match holds the last frame, so the sheet ends lying still.
Sheet BrawlerAnimations::ko() const {
    Beat hit;
    hit.pose = PoseBook::guard();
    hit.pose.hip = {-8.0, -74.0};
    hit.pose.torso = -24.0;
    hit.pose.head = -22.0;
    hit.pose.armNear = {78.0, 100.0};
    hit.pose.armFar = {52.0, 84.0};
    hit.pose.legNear = {30.0, 12.0};
    hit.pose.legFar = {-14.0, -30.0};
    hit.pose.bandSwing = 40.0;
    hit.delay = 40;
    hit.label = "hit";
    hit.note = "ko: knocked down; the match holds the last frame";

    Beat fall;
    fall.pose = hit.pose;
    fall.pose.grounded = false;
    fall.pose.hip = {-12.0, -62.0};
    fall.pose.torso = -62.0;
    fall.pose.head = -14.0;
    fall.pose.armNear = {138.0, 150.0};
    fall.pose.armFar = {112.0, 132.0};
    fall.pose.legNear = {72.0, 40.0, 140.0};
    fall.pose.legFar = {52.0, 22.0, 120.0};
    fall.pose.bandSwing = 70.0;
    fall.delay = 40;
    fall.label = "fall";

    // The back hits the floor and the legs swing up once before everything goes still.
    Beat land;
    land.pose = PoseBook::lyingDown();
    land.pose.hip = {2.0, -18.0};
    land.pose.torso = -82.0;
    land.pose.head = -44.0;
    land.pose.armNear = {160.0, 128.0};
    land.pose.armFar = {-124.0, -96.0};
    land.pose.legNear = {128.0, 104.0, 190.0};
    land.pose.legFar = {110.0, 86.0, 176.0};
    land.pose.bandSwing = 30.0;
    land.delay = 35;
    land.label = "land";

    Beat down;
    down.pose = PoseBook::lyingDown();
    down.delay = 200;
    down.label = "down";
    return frames_.sheet("ko", {hit, fall, land, down});
}

// Loops: tall, settling, knees bent, rising, and back to tall.
Sheet BrawlerAnimations::win() const {
    constexpr int kFrames = 4;
    std::vector<Beat> beats;
    for (int i = 0; i < kFrames; ++i) {
        Beat b;
        b.pose = PoseBook::victory(0.5 + 0.5 * std::cos(2.0 * kPi * i / kFrames));
        b.delay = 70;
        b.label = "cheer";
        beats.push_back(b);
    }
    beats[0].note = "win: fist raised, bouncing; loops";
    return frames_.sheet("win", beats);
}

Sheet BrawlerAnimations::walk() const {
    constexpr int kFrames = 8;
    std::vector<Beat> beats;
    for (int i = 0; i < kFrames; ++i) {
        Beat b;
        b.pose = PoseBook::walk(static_cast<double>(i) / kFrames);
        b.delay = 12;
        b.label = "step";
        beats.push_back(b);
    }
    // The controller moves the fighter while walking, so the frames carry no moveX.
    beats[0].note = "walk: guarded step cycle; the controller does the moving";
    return frames_.sheet("walk", beats);
}

Sheet BrawlerAnimations::standing() const {
    constexpr int kFrames = 4;
    std::vector<Beat> beats;
    for (int i = 0; i < kFrames; ++i) {
        Beat b;
        b.pose = PoseBook::breathe(static_cast<double>(i) / kFrames);
        b.delay = 55;
        b.label = "idle";
        beats.push_back(b);
    }
    beats[0].note = "standing: breathing in the guard";
    return frames_.sheet("standing", beats);
}

Sheet BrawlerAnimations::duck() const {
    Beat low;
    low.pose = PoseBook::crouch();
    low.delay = 60;
    low.label = "crouch";
    low.note = "duck: loops while down is held";
    Beat breath = low;
    breath.pose.hip.x -= 1.0;
    breath.pose.legFar.upper += 2.0;
    breath.pose.armNear.upper += 3.0;
    breath.note.clear();
    return frames_.sheet("duck", {low, breath});
}

Sheet BrawlerAnimations::inAir() const {
    Beat up;
    up.pose = PoseBook::airborne();
    up.delay = 30;
    up.label = "jump";
    up.note = "inAir: loops until landing";
    Beat flutter = up;
    flutter.pose.bandSwing = 45.0;
    flutter.pose.legFar.lower -= 6.0;
    flutter.note.clear();
    return frames_.sheet("inAir", {up, flutter});
}

} // namespace contentgen
