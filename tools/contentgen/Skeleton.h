#pragma once

#include "tools/contentgen/Pose.h"

namespace contentgen {

// Joint positions of one limb, image pixels.
struct LimbJoints {
    Vec2 root; // shoulder or hip
    Vec2 mid;  // elbow or knee
    Vec2 end;  // wrist or ankle
    Vec2 tip;  // centre of the fist, or the toes
};

// Body proportions in pixels. The fighter stands about 140 pixels tall.
struct Proportions {
    double torso = 44.0;
    double neck = 13.0;
    double headRadius = 12.5;
    double upperArm = 27.0;
    double forearm = 24.0;
    double fistReach = 4.0; // wrist to the centre of the fist
    double fistRadius = 6.5;
    double thigh = 38.0;
    double shin = 36.0;
    double foot = 12.5;
    double footRadius = 4.4;
};

// Forward kinematics: turns a Pose into joint positions in a frame whose anchor (the
// feet) is at `anchor`.
class Skeleton {
public:
    Skeleton(const Pose& pose, Vec2 anchor, double scale = 1.0,
             const Proportions& size = Proportions());

    const Pose& pose() const { return pose_; }
    const Proportions& size() const { return size_; }
    Vec2 hip() const { return hip_; }
    Vec2 neck() const { return neck_; }
    Vec2 headCentre() const { return head_; }
    double headTilt() const;
    const LimbJoints& armNear() const { return armNear_; }
    const LimbJoints& armFar() const { return armFar_; }
    const LimbJoints& legNear() const { return legNear_; }
    const LimbJoints& legFar() const { return legFar_; }
    // Lowest pixel row that a foot reaches.
    double soleY() const;

private:
    void solve(Vec2 hip);
    LimbJoints arm(const LimbPose& p, Vec2 shoulder) const;
    LimbJoints leg(const LimbPose& p, Vec2 hipJoint) const;

    Pose pose_;
    Proportions size_;
    Vec2 hip_;
    Vec2 neck_;
    Vec2 head_;
    LimbJoints armNear_;
    LimbJoints armFar_;
    LimbJoints legNear_;
    LimbJoints legFar_;
};

} // namespace contentgen
