#pragma once

#include <string>

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// The match's HUD pictures: the life bar in three pieces, two fonts and the round
// markers. Every frame is anchored at its top-left corner and has no attack box.
class HudArt {
public:
    // Every character each font has a glyph for, in frame order.
    static const std::string kCharacters;
    // The plate of the life bar and the inside where life shows (image pixels).
    static constexpr int kBarWidth = 340;
    static constexpr int kBarHeight = 22;
    static constexpr int kBarInset = 3;

    static HudModel build();
    static Sheet bar();
    static Sheet font();
    static Sheet bigFont();
    static Sheet marker();

private:
    static Image plate();
    static Image fill();
    static Image damage();
    static Image smallGlyph(char c);
    static Image bigGlyph(char c);
    static Image markerImage(bool won);
};

} // namespace contentgen
