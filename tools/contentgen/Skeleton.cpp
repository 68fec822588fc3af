#include "tools/contentgen/Skeleton.h"

#include <algorithm>

namespace contentgen {

namespace {

Proportions scaledProportions(Proportions p, double k) {
    for (double* v : {&p.torso, &p.neck, &p.headRadius, &p.upperArm, &p.forearm, &p.fistReach,
                      &p.fistRadius, &p.thigh, &p.shin, &p.foot, &p.footRadius})
        *v *= k;
    return p;
}

// Up the spine from the hip: a lean of 0 is upright, positive leans forward.
Vec2 spineDirection(double lean) {
    return limbDirection(180.0 - lean);
}

} // namespace

Skeleton::Skeleton(const Pose& pose, Vec2 anchor, double scale, const Proportions& size)
    : pose_(pose), size_(scaledProportions(size, scale)) {
    solve(anchor + pose.hip * scale);
    if (pose.grounded) {
        // Standing poses are written without caring for leg lengths: the whole body is
        // moved up or down until the lowest sole touches the anchor row.
        const double drop = anchor.y - soleY();
        solve(hip_ + Vec2{0.0, drop});
    }
}

double Skeleton::headTilt() const {
    return pose_.torso * 0.4 + pose_.head;
}

void Skeleton::solve(Vec2 hip) {
    hip_ = hip;
    const Vec2 up = spineDirection(pose_.torso);
    neck_ = hip_ + up * size_.torso;
    head_ = neck_ + spineDirection(headTilt()) * size_.neck;
    const Vec2 shoulder = hip_ + up * (size_.torso * 0.86);
    armNear_ = arm(pose_.armNear, shoulder + Vec2{1.5, 0.0});
    armFar_ = arm(pose_.armFar, shoulder + Vec2{-1.5, -1.0});
    legNear_ = leg(pose_.legNear, hip_ + Vec2{1.5, 0.0});
    legFar_ = leg(pose_.legFar, hip_ + Vec2{-1.5, 0.0});
}

LimbJoints Skeleton::arm(const LimbPose& p, Vec2 shoulder) const {
    LimbJoints j;
    j.root = shoulder;
    j.mid = shoulder + limbDirection(p.upper) * size_.upperArm;
    j.end = j.mid + limbDirection(p.lower) * size_.forearm;
    j.tip = j.end + limbDirection(p.lower) * size_.fistReach;
    return j;
}

LimbJoints Skeleton::leg(const LimbPose& p, Vec2 hipJoint) const {
    LimbJoints j;
    j.root = hipJoint;
    j.mid = hipJoint + limbDirection(p.upper) * size_.thigh;
    j.end = j.mid + limbDirection(p.lower) * size_.shin;
    j.tip = j.end + limbDirection(p.end) * size_.foot;
    return j;
}

double Skeleton::soleY() const {
    const double r = size_.footRadius;
    return std::max({legNear_.end.y, legNear_.tip.y, legFar_.end.y, legFar_.tip.y}) + r;
}

} // namespace contentgen
