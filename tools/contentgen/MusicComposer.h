#pragma once

#include <string>
#include <vector>

#include "tools/contentgen/ContentModel.h"
#include "tools/contentgen/Score.h"

namespace contentgen {

// The game's two music loops, composed in code: "title" for the menus, unhurried in A
// minor, and "stage" for the fight, driving in E minor. Each is a chord progression with
// a bass, a pad, drums and a lead whose melody changes from section to section, and each
// ends on the dominant with a fill that leads back into its first bar.
class MusicComposer {
public:
    static std::vector<MusicLoop> loops();
    static Score title();
    static Score stage();

    // Notes written as text, a token each: a name, sharp (#) or flat (b), an octave and a
    // length in units ("F#5/2"), or a rest ("r/2"); "|" closes a bar, which must hold
    // `barUnits` units. The first note starts at `beat`; a unit lasts `unitBeats`.
    // Throws std::logic_error on a token it cannot read or a bar of the wrong length.
    static std::vector<Note> phrase(const std::string& text, double beat, double unitBeats,
                                    int barUnits, double velocity);
    // The MIDI notes of a chord symbol ("Em", "C", "B7") within [low, low + 12).
    static std::vector<int> chord(const std::string& symbol, int low);
    // The phrase with some long notes turned over to a neighbour of the scale halfway
    // through, chosen by `seed`: the same melody, played again with more in it.
    static std::vector<Note> ornament(const std::vector<Note>& notes, const std::vector<int>& scale,
                                      uint32_t seed);
};

} // namespace contentgen
