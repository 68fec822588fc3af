#pragma once

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// The particle kinds: the fireball that the projectile special throws, and the sparks
// it bursts into when its time runs out.
class ParticleArt {
public:
    static constexpr const char* kFireball = "fireball1";
    static constexpr const char* kSpark = "spark";

    static ParticleDef fireball();
    static ParticleDef spark();

private:
    static Image fireballImage(int frame);
    static Image sparkImage(int frame);
};

} // namespace contentgen
