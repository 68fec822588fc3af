#include "tools/contentgen/SoundFactory.h"

#include <tuple>

#include "tools/contentgen/Layout.h"
#include "tools/contentgen/SoundNames.h"
#include "tools/contentgen/Synth.h"

namespace contentgen {

// Every effect peaks just under -6 dBFS (0.499 of full scale): the mixer adds sounds
// that overlap, so even two of the loudest peaking together stay under full scale. The
// figures below keep the effects' loudness against each other; the grunt is the loudest.

SoundList SoundFactory::sharedSounds() {
    return {layout::kSharedSounds, {whoosh(), whooshHeavy(), whooshLow(), clack()}};
}

SoundList SoundFactory::brawlerSounds() {
    return {"data/Brawler/sound", {hurt(), blast(), rising(), clack()}};
}

SoundList SoundFactory::hudSounds() {
    return {layout::kHud, {bell(), knockout()}};
}

SoundClip SoundFactory::whoosh() {
    Signal s = Synth::noise(Synth::samplesFor(0.20), 11u);
    Synth::bandPass(s, 500.0, 2400.0, 0.6);
    Synth::swell(s, 0.4);
    Synth::finish(s, 0.41);
    return {sounds::kWhoosh, s};
}

SoundClip SoundFactory::whooshHeavy() {
    const int n = Synth::samplesFor(0.30);
    Signal s = Synth::noise(n, 23u);
    Synth::bandPass(s, 260.0, 1300.0, 0.7);
    Signal body = Synth::tone(n, 75.0, 48.0);
    Synth::mixInto(s, body, 0.35);
    Synth::swell(s, 0.45);
    Synth::finish(s, 0.47);
    return {sounds::kWhooshHeavy, s};
}

SoundClip SoundFactory::whooshLow() {
    Signal s = Synth::noise(Synth::samplesFor(0.26), 37u);
    Synth::bandPass(s, 220.0, 560.0, 0.8);
    Synth::lowPass(s, 900.0, 500.0);
    Synth::swell(s, 0.5);
    Synth::finish(s, 0.44);
    return {sounds::kWhooshLow, s};
}

SoundClip SoundFactory::clack() {
    const int n = Synth::samplesFor(0.12);
    Signal s(static_cast<size_t>(n), 0.0);
    // Two hard, quickly damped partials and a click: wood or bone on bone.
    for (auto [freq, gain, decay] : {std::tuple{1900.0, 0.8, 0.018}, std::tuple{2870.0, 0.5, 0.012},
                                     std::tuple{900.0, 0.6, 0.030}}) {
        Signal partial = Synth::tone(n, freq, freq * 0.97);
        Synth::strike(partial, 0.0005, decay);
        Synth::mixInto(s, partial, gain);
    }
    Signal click = Synth::noise(n, 41u);
    Synth::strike(click, 0.0002, 0.003);
    Synth::mixInto(s, click, 0.7);
    Synth::finish(s, 0.47);
    return {sounds::kClack, s};
}

SoundClip SoundFactory::hurt() {
    const int n = Synth::samplesFor(0.40);
    Signal thump = Synth::tone(n, 140.0, 45.0);
    Synth::strike(thump, 0.002, 0.07);
    Signal burst = Synth::noise(n, 53u);
    Synth::lowPass(burst, 1500.0, 600.0);
    Synth::strike(burst, 0.001, 0.03);
    // The grunt: a buzzing low voice through two vowel-like resonances ("uh").
    Signal voice = Synth::tone(n, 128.0, 92.0, true, 0.02);
    Signal formant1 = voice;
    Synth::bandPass(formant1, 650.0, 600.0, 0.25);
    Signal formant2 = voice;
    Synth::bandPass(formant2, 1100.0, 1000.0, 0.3);
    Signal grunt(static_cast<size_t>(n), 0.0);
    Synth::mixInto(grunt, formant1, 1.0);
    Synth::mixInto(grunt, formant2, 0.6);
    Synth::mixInto(grunt, voice, 0.15);
    Synth::strike(grunt, 0.03, 0.12, Synth::samplesFor(0.03));
    Signal s(static_cast<size_t>(n), 0.0);
    Synth::mixInto(s, thump, 0.9);
    Synth::mixInto(s, burst, 0.5);
    Synth::mixInto(s, grunt, 0.35);
    Synth::finish(s, 0.499);
    return {sounds::kHurt, s};
}

SoundClip SoundFactory::blast() {
    const int n = Synth::samplesFor(0.60);
    Signal roar = Synth::noise(n, 67u);
    Synth::lowPass(roar, 300.0, 2000.0);
    Signal tone = Synth::tone(n, 110.0, 330.0, true, 0.03);
    Synth::lowPass(tone, 1200.0, 1600.0);
    Signal s(static_cast<size_t>(n), 0.0);
    Synth::mixInto(s, roar, 0.7);
    Synth::mixInto(s, tone, 0.45);
    Synth::swell(s, 0.3);
    Synth::finish(s, 0.47);
    return {sounds::kBlast, s};
}

SoundClip SoundFactory::rising() {
    const int n = Synth::samplesFor(0.32);
    Signal s = Synth::noise(n, 79u);
    Synth::bandPass(s, 400.0, 3000.0, 0.5);
    Signal lift = Synth::tone(n, 300.0, 900.0);
    Synth::mixInto(s, lift, 0.12);
    Synth::swell(s, 0.6);
    Synth::finish(s, 0.44);
    return {sounds::kRising, s};
}

} // namespace contentgen

namespace contentgen {

// The match's sounds play alone over a still fight; they are kept at -6 dBFS like the
// rest so they never clip against a late hit.
constexpr double kMatchPeak = 0.499;

SoundClip SoundFactory::bell() {
    const int n = Synth::samplesFor(0.60);
    Signal s(static_cast<size_t>(n), 0.0);
    // A struck bell's partials are not harmonic; two quick strikes, "ding-ding".
    for (int start : {0, Synth::samplesFor(0.22)})
        for (auto [ratio, gain, decay] :
             {std::tuple{1.0, 1.0, 0.22}, std::tuple{2.76, 0.55, 0.10},
              std::tuple{5.40, 0.30, 0.05}, std::tuple{8.93, 0.15, 0.03}}) {
            const double f = 880.0 * ratio;
            Signal partial = Synth::tone(n - start, f, f * 0.998);
            Synth::strike(partial, 0.001, decay);
            Synth::mixInto(s, partial, gain * (start == 0 ? 1.0 : 0.85), start);
        }
    Synth::finish(s, kMatchPeak);
    return {sounds::kBell, s};
}

SoundClip SoundFactory::knockout() {
    const int n = Synth::samplesFor(0.60);
    // A deep falling thump under a burst of low noise: a body hitting the floor hard.
    Signal boom = Synth::tone(n, 110.0, 32.0);
    Synth::strike(boom, 0.003, 0.16);
    Signal crack = Synth::noise(n, 97u);
    Synth::lowPass(crack, 2400.0, 300.0);
    Synth::strike(crack, 0.001, 0.05);
    Signal rumble = Synth::noise(n, 101u);
    Synth::lowPass(rumble, 220.0, 90.0);
    Synth::strike(rumble, 0.02, 0.20);
    Signal s(static_cast<size_t>(n), 0.0);
    Synth::mixInto(s, boom, 1.0);
    Synth::mixInto(s, crack, 0.6);
    Synth::mixInto(s, rumble, 0.8);
    Synth::finish(s, kMatchPeak);
    return {sounds::kKnockout, s};
}

} // namespace contentgen
