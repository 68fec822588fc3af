#include "tools/contentgen/BrawlerAnimations.h"

#include "tools/contentgen/Layout.h"
#include "tools/contentgen/PoseBook.h"

namespace contentgen {

BrawlerAnimations::BrawlerAnimations(const FighterFrames& frames) : frames_(frames) {}

std::vector<Sheet> BrawlerAnimations::build() const {
    return {blank(), walk(), standing(), duck(), inAir()};
}

// The engine sizes the fighter's saved background from blank's first frame and copies
// its key, so blank is one frame of nothing but key colour at the common frame size.
Sheet BrawlerAnimations::blank() const {
    Sheet s;
    s.name = "blank";
    Frame f;
    f.info.image = "blank_0.bmp";
    f.info.anchor = {layout::kAnchorX, layout::kAnchorY};
    f.info.cBox = kNoBox;
    f.info.label = "blank";
    f.info.note = "blank: sets the size and key of the fighter's saved background";
    f.image = Image(layout::kFrameWidth, layout::kFrameHeight, kKeyColour);
    s.frames.push_back(std::move(f));
    return s;
}

Sheet BrawlerAnimations::walk() const {
    constexpr int kFrames = 8;
    std::vector<Beat> beats;
    for (int i = 0; i < kFrames; ++i) {
        Beat b;
        b.pose = PoseBook::walk(static_cast<double>(i) / kFrames);
        b.delay = 12;
        b.label = "step";
        beats.push_back(b);
    }
    // The controller moves the fighter while walking, so the frames carry no moveX.
    beats[0].note = "walk: guarded step cycle; the controller does the moving";
    return frames_.sheet("walk", beats);
}

Sheet BrawlerAnimations::standing() const {
    constexpr int kFrames = 4;
    std::vector<Beat> beats;
    for (int i = 0; i < kFrames; ++i) {
        Beat b;
        b.pose = PoseBook::breathe(static_cast<double>(i) / kFrames);
        b.delay = 55;
        b.label = "idle";
        beats.push_back(b);
    }
    beats[0].note = "standing: breathing in the guard";
    return frames_.sheet("standing", beats);
}

Sheet BrawlerAnimations::duck() const {
    Beat low;
    low.pose = PoseBook::crouch();
    low.delay = 60;
    low.label = "crouch";
    low.note = "duck: loops while down is held";
    Beat breath = low;
    breath.pose.hip.x -= 1.0;
    breath.pose.legFar.upper += 2.0;
    breath.pose.armNear.upper += 3.0;
    breath.note.clear();
    return frames_.sheet("duck", {low, breath});
}

Sheet BrawlerAnimations::inAir() const {
    Beat up;
    up.pose = PoseBook::airborne();
    up.delay = 30;
    up.label = "jump";
    up.note = "inAir: loops until landing";
    Beat flutter = up;
    flutter.pose.bandSwing = 45.0;
    flutter.pose.legFar.lower -= 6.0;
    flutter.note.clear();
    return frames_.sheet("inAir", {up, flutter});
}

} // namespace contentgen
