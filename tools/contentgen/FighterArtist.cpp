#include "tools/contentgen/FighterArtist.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

namespace {

Material solid(Rgb c) {
    return [c](const SurfacePoint&) { return c; };
}

// Cloth up to `split` along the stroke, `after` beyond it: sleeves and trouser legs.
Material clothThen(Rgb cloth, double split, Rgb after) {
    return [cloth, split, after](const SurfacePoint& sp) { return sp.t < split ? cloth : after; };
}

// The top: belt band low on the torso and the crossed lapels opening into a V of
// chest at the front. `forward` is the unit normal on the chest side of the spine.
Material jacket(Vec2 forward, const FighterLook& look) {
    const FighterColours c = look.colours;
    const double wider = look.vestOpen;
    return [forward, c, wider](const SurfacePoint& sp) {
        if (sp.t > 0.15 && sp.t < 0.27)
            return c.belt;
        const double side = dot(sp.offset, forward);
        const double opening = 1.0 - (sp.t - 0.62) * 2.3 - wider;
        if (side > opening)
            return c.skin;
        if (side > opening - 0.16 && sp.t > 0.55)
            return c.jacketFold;
        return c.jacket;
    };
}

// Hair on top and at the back (or none), the headband across the brow, a beard on the
// jaw, skin elsewhere; worked out in the head's own tilted frame so that it all turns
// with the head.
Material headMaterial(double tilt, const FighterLook& look) {
    const FighterColours c = look.colours;
    const bool band = look.headband;
    const bool bald = look.bald;
    const bool beard = look.beard;
    return [tilt, c, band, bald, beard](const SurfacePoint& sp) {
        const Vec2 local = rotate(sp.offset, -tilt);
        if (band && local.y >= -0.44 && local.y < -0.14)
            return c.band;
        if (beard && local.y > 0.18 && local.x > -0.45)
            return c.hair;
        if (!bald && local.y < -0.44)
            return c.hair;
        if (!bald && local.x < -0.30 && local.y < 0.55)
            return c.hair;
        return c.skin;
    };
}

Stroke stroke(Vec2 a, Vec2 b, double ra, double rb, Material m, double brightness = 1.0) {
    return Stroke{a, b, ra, rb, std::move(m), brightness};
}

void growBox(Box& box, Vec2 c, double r) {
    box.left = std::min(box.left, static_cast<int>(std::floor(c.x - r)));
    box.right = std::max(box.right, static_cast<int>(std::ceil(c.x + r)));
    box.top = std::min(box.top, static_cast<int>(std::floor(c.y - r)));
    box.bottom = std::max(box.bottom, static_cast<int>(std::ceil(c.y + r)));
}

Box startBox(Vec2 c, double r) {
    Box b{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
    growBox(b, c, r);
    return b;
}

} // namespace

FighterArtist::FighterArtist(int width, int height, Vec2 anchor, double scale,
                             const FighterLook& look)
    : width_(width), height_(height), anchor_(anchor), scale_(scale), look_(look) {}

Image FighterArtist::render(const Pose& pose) const {
    Image img(width_, height_, kKeyColour);
    const Skeleton s = skeleton(pose);
    Painter p(img, look_.colours.outline, std::max(1.0, 2.0 * scale_));
    constexpr double kFarSide = 0.78; // far limbs are in the body's shade
    if (look_.headband)
        drawBandTails(p, s);
    drawArm(p, s.armFar(), kFarSide);
    drawLeg(p, s.legFar(), kFarSide);
    drawLeg(p, s.legNear(), 1.0);
    drawTorso(p, s);
    drawHead(img, s);
    drawArm(p, s.armNear(), 1.0);
    return img;
}

void FighterArtist::drawBandTails(Painter& p, const Skeleton& s) const {
    const double k = scale_;
    const double tilt = s.headTilt();
    const Vec2 knot = s.headCentre() + rotate(Vec2{-10.5, -3.5} * k, tilt);
    const double swing = s.pose().bandSwing;
    const Vec2 end1 = knot + limbDirection(-62.0 - swing) * (14.0 * k);
    const Vec2 end2 = knot + limbDirection(-38.0 - swing * 0.7) * (11.0 * k);
    const Rgb band = look_.colours.band;
    p.drawGroup({stroke(knot, end1, 2.6 * k, 2.0 * k, solid(band), 0.9),
                 stroke(knot, end2, 2.4 * k, 1.8 * k, solid(band), 0.9)});
}

void FighterArtist::drawArm(Painter& p, const LimbJoints& j, double brightness) const {
    const double k = scale_ * look_.bulk;
    const FighterColours& c = look_.colours;
    const double fist = look_.size.fistRadius * scale_;
    const Rgb upper = look_.sleeves ? c.jacket : c.skin;
    const Material forearm = look_.sleeves   ? clothThen(c.jacket, 0.38, c.skin)
                             : look_.bracers ? clothThen(c.skin, 0.45, c.belt)
                                             : solid(c.skin);
    p.drawGroup({stroke(j.root, j.mid, 7.0 * k, 6.0 * k, solid(upper), brightness),
                 stroke(j.mid, j.end, 6.0 * k, 5.0 * k, forearm, brightness),
                 stroke(j.tip, j.tip, fist, fist, solid(c.skin), brightness)});
}

void FighterArtist::drawLeg(Painter& p, const LimbJoints& j, double brightness) const {
    const double k = scale_ * look_.bulk;
    const FighterColours& c = look_.colours;
    const Vec2 footDir = (j.tip - j.end) * (1.0 / std::max(length(j.tip - j.end), 1e-6));
    const Vec2 heel = j.end - footDir * (3.0 * k);
    p.drawGroup(
        {stroke(j.root, j.mid, 9.5 * k, 7.5 * k, solid(c.trousers), brightness),
         stroke(j.mid, j.end, 7.5 * k, 5.5 * k, clothThen(c.trousers, 0.80, c.feet), brightness),
         stroke(heel, j.tip, 4.4 * k, 3.5 * k, solid(c.feet), brightness)});
}

void FighterArtist::drawTorso(Painter& p, const Skeleton& s) const {
    const double k = scale_ * look_.bulk;
    const double lean = radians(s.pose().torso);
    const Vec2 up = s.neck() - s.hip();
    const Vec2 upUnit = up * (1.0 / length(up));
    const Vec2 forward{std::cos(lean), std::sin(lean)};
    const Vec2 bottom = s.hip() + upUnit * (1.0 * k);
    const Vec2 top = s.hip() + up * 0.9;
    p.drawGroup({stroke(bottom, top, 11.5 * k, 14.5 * k, jacket(forward, look_))});
    // Belt ends hang from the knot at the front.
    const Vec2 knot = s.hip() + up * 0.2 + forward * (11.5 * k);
    const Rgb belt = look_.colours.belt;
    p.drawGroup({stroke(knot, knot + limbDirection(14.0 + s.pose().torso) * (6.5 * k), 1.6 * k,
                        1.4 * k, solid(belt)),
                 stroke(knot, knot + limbDirection(-2.0 + s.pose().torso) * (5.5 * k), 1.6 * k,
                        1.4 * k, solid(belt))});
}

void FighterArtist::drawHead(Image& img, const Skeleton& s) const {
    const double k = scale_;
    const double tilt = s.headTilt();
    const Vec2 c = s.headCentre();
    const double r = s.size().headRadius;
    const FighterColours& col = look_.colours;
    const double neck = 5.5 * k * look_.bulk;
    // The nose sits on the head's rim, however big the head.
    const Vec2 nose = rotate(Vec2{11.6 * k, 1.2 * k} + Vec2{r - 12.5 * k, 0.0}, tilt);
    Painter p(img, col.outline, std::max(1.0, 2.0 * k));
    p.drawGroup({stroke(s.neck() - (s.neck() - s.hip()) * 0.08, c, neck, neck, solid(col.skin)),
                 stroke(c, c, r, r, headMaterial(tilt, look_)),
                 stroke(c + nose, c + nose, 2.3 * k, 2.3 * k, solid(col.skin))});
    // The ear gets a soft skin-shadow rim rather than the hard outline, or it reads as
    // a second eye.
    Painter soft(img, col.skinShadow, 1.0);
    const Vec2 ear = c + rotate(Vec2{-2.5, 2.0} * k, tilt);
    soft.drawGroup({stroke(ear, ear, 2.4 * k, 2.4 * k, solid(col.skin))});
    drawFace(img, s);
}

void FighterArtist::drawFace(Image& img, const Skeleton& s) const {
    const double k = scale_;
    const double tilt = s.headTilt();
    const Vec2 c = s.headCentre();
    auto at = [&](double x, double y) { return c + rotate(Vec2{x * k, y * k}, tilt); };
    auto plot = [&](Vec2 v) {
        img.set(static_cast<int>(std::floor(v.x)), static_cast<int>(std::floor(v.y)),
                look_.colours.eye);
    };
    if (k < 0.75) {
        plot(at(6.0, -1.0));
        return;
    }
    for (double y = -2.5; y <= 0.5; y += 1.0)
        for (double x = 5.5; x <= 6.5; x += 1.0)
            plot(at(x, y));
    for (double x = 3.5; x <= 8.5; x += 1.0)
        plot(at(x, -4.5 + (x - 3.5) * 0.12));
    for (double x = 6.5; x <= 9.5; x += 1.0)
        plot(at(x, 6.0));
}

Box FighterArtist::bodyBox(const Skeleton& s) const {
    const double k = scale_ * look_.bulk;
    const Vec2 up = s.neck() - s.hip();
    Box box = startBox(s.headCentre(), s.size().headRadius + 1.0);
    growBox(box, s.hip(), 12.5 * k);
    growBox(box, s.hip() + up * 0.9, 14.5 * k);
    const double footR = s.size().footRadius;
    for (const LimbJoints* leg : {&s.legNear(), &s.legFar()})
        for (Vec2 v : {leg->mid, leg->end, leg->tip})
            box.bottom = std::max(box.bottom, static_cast<int>(std::ceil(v.y + footR)));
    if (s.pose().grounded)
        box.bottom = static_cast<int>(anchor_.y);
    return box;
}

Box FighterArtist::strikeBox(const Skeleton& s) const {
    const double k = scale_ * look_.bulk;
    const LimbJoints* limb = nullptr;
    bool fist = true;
    switch (s.pose().striker) {
    case Striker::None:
        return kNoBox;
    case Striker::NearFist:
        limb = &s.armNear();
        break;
    case Striker::FarFist:
        limb = &s.armFar();
        break;
    case Striker::NearFoot:
        limb = &s.legNear();
        fist = false;
        break;
    case Striker::FarFoot:
        limb = &s.legFar();
        fist = false;
        break;
    }
    // The end half of the forearm or shin and the fist or foot: what actually lands.
    const double endRadius = fist ? s.size().fistRadius : s.size().footRadius;
    Box box = startBox(limb->tip, endRadius + 1.0);
    growBox(box, limb->end, (fist ? 5.0 : 5.5) * k + 1.0);
    growBox(box, lerp(limb->mid, limb->end, 0.5), (fist ? 5.5 : 6.5) * k);
    return box;
}

} // namespace contentgen
