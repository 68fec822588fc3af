#pragma once

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// The game's sound effects, synthesised: whooshes for swings, a clack for blocks, a
// thump and grunt for taking a hit, a roar for the fireball and a rising whoosh for
// the uppercut; for the match, a round bell and a knockout boom.
class SoundFactory {
public:
    static SoundList sharedSounds();
    static SoundList brawlerSounds();
    static SoundList hudSounds();

    static SoundClip whoosh();
    static SoundClip whooshHeavy();
    static SoundClip whooshLow();
    static SoundClip clack();
    static SoundClip hurt();
    static SoundClip blast();
    static SoundClip rising();
    static SoundClip bell();
    static SoundClip knockout();
};

} // namespace contentgen
