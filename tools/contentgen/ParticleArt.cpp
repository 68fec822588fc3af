#include "tools/contentgen/ParticleArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "tools/contentgen/Lcg.h"

namespace contentgen {

namespace {

constexpr int kFireballW = 64;
constexpr int kFireballH = 40;
constexpr int kFireballCX = 42; // the ball's centre, which is also the anchor
constexpr int kFireballCY = 20;
constexpr int kFireballFrames = 4;
constexpr int kSparkSize = 14;
constexpr int kSparkFrames = 3;

// Flicker that depends only on the pixel and frame, so drawing order cannot change it.
double flicker(int x, int y, int frame) {
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
                 static_cast<uint32_t>(frame + 1) * 83492791u;
    Lcg lcg(h);
    lcg.next();
    return lcg.unit();
}

Rgb flameColour(double heat) {
    if (heat > 0.82)
        return {255, 250, 214};
    if (heat > 0.60)
        return {255, 222, 92};
    if (heat > 0.38)
        return {250, 142, 40};
    return {206, 58, 30};
}

} // namespace

Image ParticleArt::fireballImage(int frame) {
    Image img(kFireballW, kFireballH, kKeyColour);
    for (int y = 0; y < kFireballH; ++y)
        for (int x = 0; x < kFireballW; ++x) {
            const double dx = x + 0.5 - kFireballCX;
            const double dy = y + 0.5 - kFireballCY;
            const double ball = 1.0 - std::sqrt(dx * dx + dy * dy) / 14.0;
            double tail = 0.0;
            if (dx < 0.0 && dx > -kFireballCX) {
                const double along = 1.0 + dx / kFireballCX; // 1 at the ball, 0 at the end
                const double wobble = 3.0 * std::sin(dx * 0.32 + frame * 1.6);
                const double width = 13.0 * along;
                tail = (1.0 - std::fabs(dy - wobble) / width) * along * 0.9;
            }
            const double heat = std::max(ball, tail) + 0.22 * (flicker(x, y, frame) - 0.5);
            if (heat > 0.12)
                img.set(x, y, flameColour(heat));
        }
    return img;
}

Image ParticleArt::sparkImage(int frame) {
    Image img(kSparkSize, kSparkSize, kKeyColour);
    const int c = kSparkSize / 2;
    const int reach = 6 - 2 * frame;
    for (int y = 0; y < kSparkSize; ++y)
        for (int x = 0; x < kSparkSize; ++x) {
            const int dx = std::abs(x - c);
            const int dy = std::abs(y - c);
            const bool arm = (dx == 0 && dy <= reach) || (dy == 0 && dx <= reach);
            const bool diagonal = dx == dy && dx * 3 <= reach * 2;
            const bool core = dx + dy <= 1;
            if (core)
                img.set(x, y, frame < 2 ? Rgb{255, 252, 226} : Rgb{255, 200, 90});
            else if (arm || diagonal)
                img.set(x, y, frame < 2 ? Rgb{255, 214, 80} : Rgb{236, 120, 40});
        }
    return img;
}

ParticleDef ParticleArt::fireball() {
    ParticleDef def;
    def.sheet.name = kFireball;
    def.listNumber = 1;
    def.lifetimeMs = 1100;
    for (int i = 0; i < kFireballFrames; ++i) {
        Frame f;
        f.info.image = std::string(kFireball) + "_" + std::to_string(i) + ".bmp";
        f.info.delay = 12;
        f.info.anchor = {kFireballCX, kFireballCY};
        f.info.cBox = {kFireballCX - 12, kFireballCY - 10, kFireballCX + 12, kFireballCY + 10};
        f.info.dBox = f.info.cBox;
        // A particle is spent on its first hit, so this is the whole of its damage.
        f.info.damage = 100;
        f.info.hitType = 1;
        // Stepped by both fighters' movement steps, so it travels about 6 pixels per
        // 10 ms: faster than a walking fighter can follow it.
        f.info.moveX = 3;
        f.info.label = "burn";
        if (i == 0)
            f.info.note = "fireball1: flies straight, 100 damage on its first hit";
        f.image = fireballImage(i);
        def.sheet.frames.push_back(std::move(f));
    }
    // Offsets from the fireball image's top-left corner, y downward: a burst around
    // where the ball burnt out.
    def.onDeath = {{kSpark, 14, 8}, {kSpark, 24, 18}, {kSpark, 8, 26}};
    return def;
}

ParticleDef ParticleArt::spark() {
    ParticleDef def;
    def.sheet.name = kSpark;
    def.listNumber = 2;
    def.lifetimeMs = 300;
    def.gravity = true;
    for (int i = 0; i < kSparkFrames; ++i) {
        Frame f;
        f.info.image = std::string(kSpark) + "_" + std::to_string(i) + ".bmp";
        f.info.delay = 20;
        f.info.anchor = {kSparkSize / 2, kSparkSize / 2};
        // Sparks must never hit: an empty body box, parked far off the stage.
        f.info.cBox = kNoBox;
        // Gravity rests a particle on the larger of its two boxes' bottoms; the attack
        // box of a particle is used for nothing else, so an empty one whose bottom is
        // the image's last row lets the spark settle on the floor.
        f.info.dBox = {1, kSparkSize - 1, 0, kSparkSize - 1};
        f.info.moveX = 1;
        f.info.label = "spark";
        if (i == 0)
            f.info.note = "spark: falls, settles, fades; never hits";
        f.image = sparkImage(i);
        def.sheet.frames.push_back(std::move(f));
    }
    return def;
}

} // namespace contentgen
