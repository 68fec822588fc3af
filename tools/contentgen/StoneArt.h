#pragma once

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// Basalt's particles, in his own list: the stone he throws, which falls under gravity
// and rolls along the floor, and the grit it breaks into when its time runs out.
class StoneArt {
public:
    static constexpr const char* kStone = "stone";
    static constexpr const char* kGrit = "grit";

    static ParticleDef stone();
    static ParticleDef grit();

private:
    static Image stoneImage(int frame);
    static Image gritImage(int frame);
};

} // namespace contentgen
