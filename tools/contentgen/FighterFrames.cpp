#include "tools/contentgen/FighterFrames.h"

#include <cstddef>

#include "tools/contentgen/Layout.h"

namespace contentgen {

FighterFrames::FighterFrames(const FighterArtist& artist) : artist_(artist) {}

Sheet FighterFrames::sheet(const std::string& name, const std::vector<Beat>& beats) const {
    Sheet s;
    s.name = name;
    for (std::size_t i = 0; i < beats.size(); ++i)
        s.frames.push_back(frame(name + "_" + std::to_string(i) + ".bmp", beats[i]));
    return s;
}

Sheet FighterFrames::blank() {
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

Frame FighterFrames::frame(const std::string& imageName, const Beat& beat) const {
    const Skeleton skeleton = artist_.skeleton(beat.pose);
    Frame f;
    FrameRecord& r = f.info;
    r.image = imageName;
    r.delay = beat.delay;
    r.anchor = {layout::kAnchorX, layout::kAnchorY};
    r.cBox = artist_.bodyBox(skeleton);
    if (beat.damage > 0) {
        r.dBox = artist_.strikeBox(skeleton);
        r.damage = beat.damage;
        r.hitType = 1;
    }
    r.sound = beat.sound;
    r.particles = beat.particles;
    r.moveX = beat.moveX;
    r.moveY = beat.moveY;
    r.label = beat.label;
    r.note = beat.note;
    f.image = artist_.render(beat.pose);
    return f;
}

MoveRecord FighterFrames::move(const char* name, const char* command, const char* condition,
                               const std::vector<Beat>& beats) const {
    MoveRecord m;
    m.sheet = sheet(name, beats);
    m.command = command;
    m.condition = condition;
    return m;
}

} // namespace contentgen
