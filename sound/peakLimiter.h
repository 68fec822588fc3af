#pragma once

#include <cstdint>

// Keeps the mixed sound under full scale. The mixer plays every channel and the music
// at a fraction of their level (1 / makeup), so that even eight effects at their
// loudest add up without saturating; the limiter then raises the sum back by `makeup`
// and bends whatever would go above the knee smoothly towards the ceiling, which no
// sample reaches. Below the knee the output is the input times makeup: one sound on
// its own is heard exactly as loud as it was made.
//
// The gain follows the loudest recent sample of either channel: at once when a louder
// one comes, and back over a fifth of a second after it, so the sound is not torn at
// each crest.
class peakLimiter {
public:
    static constexpr double kKnee = 0.5;     // of full scale: the level up to which nothing bends
    static constexpr double kCeiling = 0.94; // of full scale: approached, never reached

    // makeup: the gain given back to the mix (1 or more); rate: frames per second.
    peakLimiter(double makeup, int rate);

    // Limits `frames` frames of interleaved signed 16-bit samples, `channels` to a
    // frame, in place.
    void process(int16_t* samples, int frames, int channels);
    // The output level (of full scale) for a sustained input level (after makeup).
    static double curve(double level);

private:
    double makeup_;       // gain on everything
    double release_;      // the envelope's fall per frame, a factor below 1
    double envelope_ = 0; // the loudest recent level after makeup, of full scale
};
