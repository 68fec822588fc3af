#include "tools/contentgen/BasaltSounds.h"

#include "tools/contentgen/Synth.h"

namespace contentgen {

// Peaks as the shared effects': just under -6 dBFS at the loudest.

SoundList BasaltSounds::build() {
    return {"data/Basalt/sound", {grunt(), heave(), charge(), crack()}};
}

SoundClip BasaltSounds::grunt() {
    const int n = Synth::samplesFor(0.45);
    Signal thump = Synth::tone(n, 90.0, 38.0);
    Synth::strike(thump, 0.002, 0.09);
    // A lower, rougher voice than the Brawler's: "oof" through dark resonances.
    Signal voice = Synth::tone(n, 82.0, 60.0, true, 0.04);
    Signal formant = voice;
    Synth::bandPass(formant, 420.0, 380.0, 0.3);
    Signal body = voice;
    Synth::lowPass(body, 700.0, 400.0);
    Signal oof(static_cast<size_t>(n), 0.0);
    Synth::mixInto(oof, formant, 1.0);
    Synth::mixInto(oof, body, 0.4);
    Synth::strike(oof, 0.025, 0.15, Synth::samplesFor(0.02));
    Signal s(static_cast<size_t>(n), 0.0);
    Synth::mixInto(s, thump, 1.0);
    Synth::mixInto(s, oof, 0.45);
    Synth::finish(s, 0.499);
    return {kGrunt, s};
}

SoundClip BasaltSounds::heave() {
    const int n = Synth::samplesFor(0.42);
    // A strained breath out, and the stone's air as it leaves the hand.
    Signal breath = Synth::noise(n, 131u);
    Synth::bandPass(breath, 900.0, 600.0, 0.9);
    Synth::strike(breath, 0.04, 0.12);
    Signal air = Synth::noise(n, 137u);
    Synth::bandPass(air, 300.0, 1400.0, 0.6);
    Synth::swell(air, 0.7);
    Signal s(static_cast<size_t>(n), 0.0);
    Synth::mixInto(s, breath, 0.7);
    Synth::mixInto(s, air, 1.0);
    Synth::finish(s, 0.44);
    return {kHeave, s};
}

SoundClip BasaltSounds::charge() {
    const int n = Synth::samplesFor(0.55);
    // Three heavy footfalls under a rush of air.
    Signal s(static_cast<size_t>(n), 0.0);
    for (int step = 0; step < 3; ++step) {
        const int at = Synth::samplesFor(0.14 * step);
        Signal fall = Synth::tone(n - at, 70.0, 45.0);
        Synth::strike(fall, 0.003, 0.05);
        Synth::mixInto(s, fall, 0.8 + 0.1 * step, at);
    }
    Signal rush = Synth::noise(n, 149u);
    Synth::lowPass(rush, 500.0, 1500.0);
    Synth::swell(rush, 0.8);
    Synth::mixInto(s, rush, 0.6);
    Synth::finish(s, 0.47);
    return {kCharge, s};
}

SoundClip BasaltSounds::crack() {
    const int n = Synth::samplesFor(0.3);
    // Stone on stone: a sharp crack over a short, deep knock.
    Signal snap = Synth::noise(n, 151u);
    Synth::bandPass(snap, 2600.0, 1800.0, 0.5);
    Synth::strike(snap, 0.0005, 0.02);
    Signal knock = Synth::tone(n, 160.0, 70.0);
    Synth::strike(knock, 0.002, 0.07);
    Signal s(static_cast<size_t>(n), 0.0);
    Synth::mixInto(s, snap, 0.9);
    Synth::mixInto(s, knock, 1.0);
    Synth::finish(s, 0.47);
    return {kCrack, s};
}

} // namespace contentgen
