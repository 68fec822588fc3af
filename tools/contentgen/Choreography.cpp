#include "tools/contentgen/Choreography.h"

namespace contentgen {

namespace choreography {

Beat beat(const Pose& pose, int delay, const char* label) {
    Beat b;
    b.pose = pose;
    b.delay = delay;
    b.label = label;
    return b;
}

Beat withSound(Beat b, const char* sound) {
    b.sound = sound;
    return b;
}

Beat active(Beat b, Striker striker, int damage) {
    b.pose.striker = striker;
    b.damage = damage;
    return b;
}

Beat moving(Beat b, int moveX, int moveY) {
    b.moveX = moveX;
    b.moveY = moveY;
    return b;
}

Beat noted(Beat b, const char* note) {
    b.note = note;
    return b;
}

} // namespace choreography

} // namespace contentgen
