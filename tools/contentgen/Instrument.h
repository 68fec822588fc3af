#pragma once

#include "tools/contentgen/Score.h"
#include "tools/contentgen/Synth.h"

namespace contentgen {

// The voices of the music, synthesised a note at a time at kMusicRate: drums from noise
// and falling sine bursts, a plucked saw bass, a soft detuned-saw pad, a pulse lead with
// a late vibrato and an FM bell. Every note starts and ends at zero, so notes can be laid
// anywhere over each other without a click.
class Instrument {
public:
    // The sound of one note from its onset to the end of its release.
    static Signal render(Voice voice, const Note& note, double secondsPerBeat);
    // Frequency in Hz of a MIDI note number.
    static double frequency(int pitch);

private:
    static Signal kick(double velocity);
    static Signal snare(double velocity);
    static Signal hat(double velocity, double decay);
    static Signal bass(double f, double held, double velocity);
    static Signal pad(double f, double held, double velocity);
    static Signal lead(double f, double held, double velocity);
    static Signal bell(double f, double held, double velocity);
};

} // namespace contentgen
