#pragma once

#include <functional>
#include <vector>

#include "tools/contentgen/Geometry.h"
#include "tools/contentgen/Image.h"

namespace contentgen {

// Where a pixel lies on a stroke, handed to the stroke's material.
struct SurfacePoint {
    double t = 0.0; // 0 at the stroke's start, 1 at its end
    Vec2 offset;    // pixel minus nearest axis point, divided by the local radius
};

using Material = std::function<Rgb(const SurfacePoint&)>;

// A tapered capsule: the round-capped thick line that every body part is made of.
struct Stroke {
    Vec2 a;
    Vec2 b;
    double ra = 1.0; // radius at a, pixels
    double rb = 1.0; // radius at b, pixels
    Material material;
    double brightness = 1.0; // below 1 for limbs on the far side of the body
};

// Paints strokes with a dark outline and three-tone shading lit from the upper left.
// Edges are hard on purpose: the frames are colour-keyed, so a soft edge would leave a
// fringe of blended colour around the fighter.
class Painter {
public:
    Painter(Image& target, Rgb outline, double outlineWidth);

    // Outlines every stroke first, then fills them, so that the parts of one group (a
    // whole arm, say) join without a line at the joints while the group as a whole
    // stays outlined against what was drawn before it.
    void drawGroup(const std::vector<Stroke>& strokes);

    static Rgb shade(Rgb base, Vec2 offset, double brightness);

private:
    template <typename Visit> void forEachCovered(const Stroke& s, double grow, Visit visit);

    Image& target_;
    Rgb outline_;
    double outlineWidth_;
};

} // namespace contentgen
