#pragma once

#include "tools/contentgen/Image.h"

namespace contentgen {

// The stage: a mountain temple courtyard at dusk. Sky, distant ranges and a pagoda
// behind a low courtyard wall, and a flagstone floor whose top row is the ground line.
class StagePainter {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    static Image paint();

private:
    static void sky(Image& img);
    static void stars(Image& img);
    static void sun(Image& img);
    static void range(Image& img, double base, double scale, double phase, Rgb top, Rgb bottom,
                      bool snow);
    static void hills(Image& img);
    static void pagoda(Image& img, int centreX);
    static void wall(Image& img);
    static void floor(Image& img);
};

} // namespace contentgen
