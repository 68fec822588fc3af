#pragma once

#include "tools/contentgen/Score.h"
#include "tools/contentgen/Synth.h"

namespace contentgen {

// Plays a score into one loop of samples at kMusicRate. Everything is laid on a circle:
// a note or an echo that rings past the loop's end goes on over its start, and the loop
// is cleared of any standing offset, so its last sample leads into its first as smoothly
// as any two samples inside it.
class Sequencer {
public:
    // The loop, scaled so that its loudest sample is `peak` (0..1).
    static Signal render(const Score& score, double peak);
    // Samples in one loop of the score.
    static int loopSamples(const Score& score);

private:
    // Adds `add` into the loop from sample `at` on, wrapping past the end to the start.
    static void addWrapped(Signal& loop, const Signal& add, double gain, long at);
    // A feedback echo that runs round the loop, as it sounds once the loop has played
    // a while.
    static void echo(Signal& loop, int delay, double feedback);
    // Takes out what does not swing about zero, as it would settle over repeats.
    static void removeOffset(Signal& loop);
};

} // namespace contentgen
