#include "tools/contentgen/BasaltPoses.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

Pose BasaltPoses::stance() {
    Pose p;
    p.hip = {0.0, -70.0};
    p.torso = 12.0;
    p.head = -4.0;
    p.armNear = {38.0, 100.0};
    p.armFar = {22.0, 118.0};
    p.legNear = {30.0, 6.0};
    p.legFar = {-30.0, -8.0};
    return p;
}

Pose BasaltPoses::crouch() {
    Pose p = stance();
    p.hip = {-2.0, -40.0};
    p.torso = 36.0;
    p.head = -26.0;
    p.armNear = {62.0, 118.0};
    p.armFar = {48.0, 128.0};
    p.legNear = {88.0, -20.0};
    p.legFar = {20.0, -80.0};
    return p;
}

Pose BasaltPoses::airborne() {
    Pose p = stance();
    p.grounded = false;
    p.hip = {0.0, -78.0};
    p.torso = 10.0;
    p.armNear = {100.0, 120.0};
    p.armFar = {70.0, 140.0};
    p.legNear = {78.0, -4.0, 70.0};
    p.legFar = {30.0, -44.0, 50.0};
    return p;
}

Pose BasaltPoses::walk(double phase) {
    Pose p = stance();
    const double s = std::sin(2.0 * kPi * phase);
    const double c = std::cos(2.0 * kPi * phase);
    // Short, heavy steps: the feet barely leave the floor and the shoulders roll.
    p.legNear = {8.0 + 18.0 * s, 8.0 + 18.0 * s - (4.0 + 18.0 * std::max(0.0, c))};
    p.legFar = {8.0 - 18.0 * s, 8.0 - 18.0 * s - (4.0 + 18.0 * std::max(0.0, -c))};
    p.armNear = {38.0 - 8.0 * s, 100.0 - 6.0 * s};
    p.armFar = {22.0 + 8.0 * s, 118.0 + 6.0 * s};
    p.torso = 14.0 + 2.0 * c;
    return p;
}

Pose BasaltPoses::breathe(double phase) {
    Pose p = stance();
    const double b = std::sin(2.0 * kPi * phase);
    p.torso = 12.0 - 2.0 * b;
    p.head = -4.0 + 1.5 * b;
    p.armNear = {38.0 + 3.0 * b, 100.0 + 3.0 * b};
    p.armFar = {22.0 + 3.0 * b, 118.0 + 2.0 * b};
    p.legNear = {30.0 + 1.5 * b, 6.0 - 2.0 * b};
    return p;
}

Pose BasaltPoses::fistsOverhead() {
    Pose p = stance();
    p.torso = -8.0;
    p.head = -14.0;
    p.armNear = {160.0, 175.0};
    p.armFar = {150.0, 178.0};
    return p;
}

} // namespace contentgen
