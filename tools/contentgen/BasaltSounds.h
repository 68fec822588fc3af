#pragma once

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// Basalt's own sounds, data/Basalt/sound: a deep grunt when hit, the heave of the stone
// toss, the rumble of his charge and the crack of a hammering blow. His swings use the
// shared whooshes.
class BasaltSounds {
public:
    static constexpr const char* kGrunt = "grunt";
    static constexpr const char* kHeave = "heave";
    static constexpr const char* kCharge = "charge";
    static constexpr const char* kCrack = "crack";

    static SoundList build();

    static SoundClip grunt();
    static SoundClip heave();
    static SoundClip charge();
    static SoundClip crack();
};

} // namespace contentgen
