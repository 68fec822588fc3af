#pragma once

#include "tools/contentgen/FighterLook.h"
#include "tools/contentgen/Geometry.h"
#include "tools/contentgen/Image.h"
#include "tools/contentgen/Painter.h"
#include "tools/contentgen/Skeleton.h"

namespace contentgen {

// Draws the fighter from a skeleton and works out the boxes that go with the picture,
// so that a frame's body and attack boxes always sit on what is drawn.
class FighterArtist {
public:
    // Frames are width x height with the anchor (the feet) at `anchor`; `scale` shrinks
    // the whole figure (the small runner sheet uses it); `look` says whom it draws.
    FighterArtist(int width, int height, Vec2 anchor, double scale = 1.0,
                  const FighterLook& look = FighterLook::brawler());

    Skeleton skeleton(const Pose& pose) const {
        return Skeleton(pose, anchor_, scale_, look_.size);
    }
    Image render(const Pose& pose) const;
    // Head, torso and legs down to the feet; arms are left out so that a guard or a
    // punch does not widen the body that the opponent is pushed away from.
    Box bodyBox(const Skeleton& s) const;
    // Around the end of the striking limb named by the pose; kNoBox when none.
    Box strikeBox(const Skeleton& s) const;

private:
    void drawBandTails(Painter& p, const Skeleton& s) const;
    void drawArm(Painter& p, const LimbJoints& j, double brightness) const;
    void drawLeg(Painter& p, const LimbJoints& j, double brightness) const;
    void drawTorso(Painter& p, const Skeleton& s) const;
    void drawHead(Image& img, const Skeleton& s) const;
    void drawFace(Image& img, const Skeleton& s) const;

    int width_;
    int height_;
    Vec2 anchor_;
    double scale_;
    FighterLook look_;
};

} // namespace contentgen
