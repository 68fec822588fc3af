#pragma once

#include <cstdint>
#include <vector>

namespace contentgen {

using Signal = std::vector<double>;

// Small signal-building blocks for the sound effects: noise, tones with a pitch glide,
// swept filters and envelopes. Everything is plain arithmetic on sample arrays, so the
// same call always gives the same samples.
class Synth {
public:
    static int samplesFor(double seconds);

    static Signal noise(int count, uint32_t seed);
    // A tone gliding exponentially from f0 to f1 Hz; a saw wave when `saw` is set.
    static Signal tone(int count, double f0, double f1, bool saw = false, double vibrato = 0.0);

    // Resonant band-pass whose centre glides from f0 to f1 Hz; damping 0.1 (sharp)
    // to 1.5 (broad).
    static void bandPass(Signal& s, double f0, double f1, double damping);
    // One-pole low-pass whose cut-off glides from f0 to f1 Hz.
    static void lowPass(Signal& s, double f0, double f1);

    // Rise and fall as sin^2 over the whole signal, peaking at `peakAt` (0..1).
    static void swell(Signal& s, double peakAt);
    // Linear attack, then exponential decay with the given time constant.
    static void strike(Signal& s, double attack, double decay, int startSample = 0);

    static void mixInto(Signal& into, const Signal& add, double gain, int startSample = 0);
    // Scales to the given peak and fades the last few milliseconds to avoid a click.
    static void finish(Signal& s, double peak);
};

} // namespace contentgen
