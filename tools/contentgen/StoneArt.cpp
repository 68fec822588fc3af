#include "tools/contentgen/StoneArt.h"

#include <cmath>
#include <string>

#include "tools/contentgen/Painter.h"

namespace contentgen {

namespace {

constexpr int kStoneSize = 28;
constexpr int kStoneCentre = 14; // the stone's centre, which is also the anchor
constexpr double kStoneRadius = 10.5;
constexpr int kStoneFrames = 4;
constexpr int kGritSize = 10;
constexpr int kGritFrames = 3;
constexpr Rgb kRock{128, 120, 112};
constexpr Rgb kRockDark{84, 78, 74};
constexpr Rgb kRockOutline{34, 30, 30};

// Flecks and a crack on the stone's face, turning with it so the stone is seen to roll.
Material rockFace(double turn) {
    return [turn](const SurfacePoint& sp) {
        const Vec2 local = rotate(sp.offset, -turn);
        if (std::fabs(local.x - 0.15 * local.y) < 0.09 && local.y > -0.7 && local.y < 0.3)
            return kRockDark;
        const Vec2 fleck = local - Vec2{-0.35, 0.4};
        if (dot(fleck, fleck) < 0.03)
            return kRockDark;
        return kRock;
    };
}

Stroke lump(Vec2 at, double r, double turn) {
    return Stroke{at, at, r, r, rockFace(turn), 1.0};
}

} // namespace

Image StoneArt::stoneImage(int frame) {
    Image img(kStoneSize, kStoneSize, kKeyColour);
    Painter p(img, kRockOutline, 1.5);
    // Rolling forward turns the stone clockwise on screen: a quarter turn over the cycle.
    const double turn = 22.5 * frame;
    const Vec2 c{kStoneCentre, kStoneCentre};
    p.drawGroup({lump(c, kStoneRadius, turn), lump(c + rotate(Vec2{5.0, -4.0}, turn), 7.0, turn),
                 lump(c + rotate(Vec2{-5.5, 3.0}, turn), 7.5, turn)});
    return img;
}

Image StoneArt::gritImage(int frame) {
    Image img(kGritSize, kGritSize, kKeyColour);
    Painter p(img, kRockOutline, 1.0);
    const double r = 3.0 - 0.7 * frame;
    p.drawGroup({lump(Vec2{4.5, 4.5}, r, 40.0 * frame)});
    return img;
}

ParticleDef StoneArt::stone() {
    ParticleDef def;
    def.sheet.name = kStone;
    def.listNumber = 1;
    def.lifetimeMs = 1500;
    def.gravity = true;
    for (int i = 0; i < kStoneFrames; ++i) {
        Frame f;
        f.info.image = std::string(kStone) + "_" + std::to_string(i) + ".bmp";
        f.info.delay = 12;
        f.info.anchor = {kStoneCentre, kStoneCentre};
        f.info.cBox = {4, 4, kStoneSize - 5, kStoneSize - 3};
        // Gravity rests a particle on the lower of its boxes' bottoms: the stone lands
        // with its underside on the floor and rolls on along it.
        f.info.dBox = f.info.cBox;
        f.info.damage = 90;
        f.info.hitType = 1;
        // Forward by both fighters' movement steps while it falls: a slanting drop, then
        // a roll along the floor that a standing or crouching fighter must block or jump.
        f.info.moveX = 3;
        f.info.label = "roll";
        if (i == 0)
            f.info.note = "stone: falls under gravity, then rolls along the floor; 90 damage";
        f.image = stoneImage(i);
        def.sheet.frames.push_back(std::move(f));
    }
    // From the stone image's top-left corner, y downward: chips where it broke up.
    def.onDeath = {{kGrit, 6, 12}, {kGrit, 14, 6}, {kGrit, 20, 14}};
    return def;
}

ParticleDef StoneArt::grit() {
    ParticleDef def;
    def.sheet.name = kGrit;
    def.listNumber = 2;
    def.lifetimeMs = 350;
    def.gravity = true;
    for (int i = 0; i < kGritFrames; ++i) {
        Frame f;
        f.info.image = std::string(kGrit) + "_" + std::to_string(i) + ".bmp";
        f.info.delay = 25;
        f.info.anchor = {kGritSize / 2, kGritSize / 2};
        // Harmless: a body box nothing can touch, and an empty attack box whose bottom
        // is the image's last row, so the chip settles on the floor.
        f.info.cBox = kNoBox;
        f.info.dBox = {1, kGritSize - 1, 0, kGritSize - 1};
        f.info.moveX = 1;
        f.info.label = "grit";
        if (i == 0)
            f.info.note = "grit: chips of the stone; fall, settle, never hit";
        f.image = gritImage(i);
        def.sheet.frames.push_back(std::move(f));
    }
    return def;
}

} // namespace contentgen
