#pragma once

#include <vector>

#include "tools/contentgen/Geometry.h"
#include "tools/contentgen/Image.h"

namespace contentgen {

// The title screen's picture, data/hud/title.bmp: the stage at nightfall, the Brawler and
// Basalt squaring up on its floor, and the BRAWLER logo above them in thick slanted
// letters with a gold face, a dark rim and a deep red block under it. The band where the
// title screen writes PRESS ENTER (y 420 to 470) is darkened so the line reads.
class TitleArt {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr int kPromptTop = 420; // the band left quiet for the prompt
    static constexpr int kPromptBottom = 470;
    static constexpr int kLogoTop = 34;     // the logo's letters start here
    static constexpr int kLogoBottom = 200; // and their block ends above this

    static Image paint(const Image& stage);

private:
    struct Segment {
        Vec2 a;
        Vec2 b;
    };
    // A letter of the logo: strokes in letter units (0,0 top-left, 14 units tall).
    struct Letter {
        double width; // units across
        std::vector<Segment> strokes;
    };

    static Letter letter(char c);
    // True where the logo's face is, pixel by pixel over the whole picture.
    static std::vector<bool> logoMask();
    static void nightfall(Image& img);
    static void promptBand(Image& img);
    static void fighters(Image& img);
    static void logo(Image& img);
};

} // namespace contentgen
