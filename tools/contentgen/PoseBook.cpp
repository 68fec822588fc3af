#include "tools/contentgen/PoseBook.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

namespace {

double wave(double phase) {
    return std::sin(2.0 * kPi * phase);
}
double wave90(double phase) {
    return std::cos(2.0 * kPi * phase);
}

} // namespace

Pose PoseBook::guard() {
    Pose p;
    p.hip = {3.0, -74.0};
    p.torso = 8.0;
    p.head = -4.0;
    p.armNear = {55.0, 150.0};
    p.armFar = {30.0, 165.0};
    p.legNear = {22.0, 5.0};
    p.legFar = {-24.0, -12.0};
    return p;
}

Pose PoseBook::crouch() {
    Pose p = guard();
    p.hip = {-2.0, -40.0};
    p.torso = 34.0;
    p.head = -22.0;
    p.armNear = {75.0, 160.0};
    p.armFar = {55.0, 170.0};
    p.legNear = {84.0, -28.0};
    p.legFar = {32.0, -84.0};
    return p;
}

Pose PoseBook::airborne() {
    Pose p = guard();
    p.grounded = false;
    p.hip = {0.0, -80.0};
    p.torso = 6.0;
    p.armNear = {70.0, 155.0};
    p.armFar = {45.0, 165.0};
    p.legNear = {82.0, -8.0, 60.0};
    p.legFar = {28.0, -52.0, 40.0};
    p.bandSwing = 25.0;
    return p;
}

Pose PoseBook::walk(double phase) {
    Pose p = guard();
    const double s = wave(phase);
    const double c = wave90(phase);
    // A leg swinging forward (c > 0 for the near one) lifts its knee; the planted one
    // stays nearly straight, and grounding turns that into the up-and-down bob.
    p.legNear = {6.0 + 24.0 * s, 6.0 + 24.0 * s - (4.0 + 34.0 * std::max(0.0, c))};
    p.legFar = {6.0 - 24.0 * s, 6.0 - 24.0 * s - (4.0 + 34.0 * std::max(0.0, -c))};
    p.armNear = {55.0 - 5.0 * s, 150.0 - 4.0 * s};
    p.armFar = {30.0 + 5.0 * s, 165.0 + 3.0 * s};
    p.torso = 10.0;
    p.bandSwing = 10.0 + 8.0 * c;
    return p;
}

Pose PoseBook::breathe(double phase) {
    Pose p = guard();
    const double b = wave(phase);
    p.legNear = {22.0 + 2.0 * b, 5.0 - 3.0 * b};
    p.legFar = {-24.0 - 1.5 * b, -12.0 + 2.5 * b};
    p.armNear = {55.0 + 3.0 * b, 150.0 - 2.0 * b};
    p.armFar = {30.0 + 2.0 * b, 165.0 - 2.0 * b};
    p.torso = 8.0 + 1.0 * b;
    p.bandSwing = 4.0 * b;
    return p;
}

Pose PoseBook::lyingDown() {
    Pose p;
    p.grounded = false; // the back rests on the floor, not the feet
    p.hip = {6.0, -14.0};
    p.torso = -90.0;
    p.head = -54.0; // with the lean's share of the tilt, the head lies in line with the spine
    p.armNear = {84.0, 98.0};
    p.armFar = {-100.0, -78.0};
    p.legNear = {96.0, 84.0, 172.0};
    p.legFar = {92.0, 90.0, 160.0};
    p.bandSwing = 28.0; // the tails lie along the floor
    return p;
}

Pose PoseBook::victory(double lift) {
    Pose p;
    p.hip = {0.0, -74.0};
    p.torso = -2.0 - 4.0 * lift; // chest out
    p.head = -12.0 - 6.0 * lift;
    // The front fist pumps up beside the face, never across it.
    p.armNear = {136.0 + 18.0 * lift, 168.0 + 14.0 * lift};
    p.armFar = {-32.0, 62.0};
    const double bend = 16.0 * (1.0 - lift);
    p.legNear = {24.0 + bend, 8.0 - bend};
    p.legFar = {-20.0 + bend, -10.0 - bend};
    p.bandSwing = 8.0 + 30.0 * lift;
    return p;
}

Pose PoseBook::run(double phase) {
    Pose p = guard();
    const double s = wave(phase);
    const double c = wave90(phase);
    p.torso = 18.0;
    p.head = -12.0;
    p.legNear = {12.0 + 40.0 * s, 12.0 + 40.0 * s - (8.0 + 70.0 * std::max(0.0, c))};
    p.legFar = {12.0 - 40.0 * s, 12.0 - 40.0 * s - (8.0 + 70.0 * std::max(0.0, -c))};
    p.armNear = {-40.0 * s, -40.0 * s + 95.0};
    p.armFar = {40.0 * s, 40.0 * s + 95.0};
    p.bandSwing = 30.0;
    return p;
}

} // namespace contentgen
