#include "tools/contentgen/Instrument.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/Geometry.h"
#include "tools/contentgen/Lcg.h"

namespace contentgen {

namespace {

constexpr double kRate = kMusicRate;

int samples(double seconds) {
    return std::max(1, static_cast<int>(std::lround(seconds * kRate)));
}

// Held at full level for `held` seconds after an attack, then a release down to zero:
// the shape of a played note. The attack starts from zero and the release ends at it.
double hold(double t, double attack, double held, double release) {
    if (t < attack)
        return t / attack;
    if (t < held)
        return 1.0;
    const double r = (t - held) / release;
    return r >= 1.0 ? 0.0 : (1.0 - r) * (1.0 - r);
}

// Exponential decay after a short attack, forced to zero over the last 5 ms so that a
// drum's sound ends silent.
void decayShape(Signal& s, double attack, double decay) {
    const int n = static_cast<int>(s.size());
    const int fade = std::min(n, samples(0.005));
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        double e = t < attack ? t / attack : std::exp(-(t - attack) / decay);
        if (n - i <= fade)
            e *= double(n - i - 1) / fade;
        s[i] *= e;
    }
}

// One-pole low-pass at a fixed cut-off (Hz), in place.
void lowPass(Signal& s, double cutoff) {
    const double a = 1.0 - std::exp(-2.0 * kPi * cutoff / kRate);
    double y = 0.0;
    for (double& v : s) {
        y += a * (v - y);
        v = y;
    }
}

// What is above the cut-off (Hz): the signal less its low-passed self.
void highPass(Signal& s, double cutoff) {
    Signal low = s;
    lowPass(low, cutoff);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] -= low[i];
}

// A naive saw from phase 0..1; the low-pass after it tames its aliasing.
double saw(double phase) {
    return 2.0 * phase - 1.0;
}

} // namespace

double Instrument::frequency(int pitch) {
    return 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
}

Signal Instrument::render(Voice voice, const Note& note, double secondsPerBeat) {
    const double f = frequency(note.pitch);
    const double held = note.length * secondsPerBeat;
    switch (voice) {
    case Voice::kick:
        return kick(note.velocity);
    case Voice::snare:
        return snare(note.velocity);
    case Voice::hat:
        return hat(note.velocity, 0.018);
    case Voice::openHat:
        return hat(note.velocity, 0.09);
    case Voice::bass:
        return bass(f, held, note.velocity);
    case Voice::pad:
        return pad(f, held, note.velocity);
    case Voice::lead:
        return lead(f, held, note.velocity);
    case Voice::bell:
        return bell(f, held, note.velocity);
    }
    return {};
}

Signal Instrument::kick(double velocity) {
    // A sine falling from 150 Hz to 45 Hz: the punch, then the boom.
    Signal s(static_cast<size_t>(samples(0.42)));
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = i / kRate;
        const double f = 45.0 + 105.0 * std::exp(-t / 0.035);
        phase += f / kRate;
        s[i] = std::sin(2.0 * kPi * phase);
    }
    decayShape(s, 0.002, 0.14);
    Signal click = Synth::noise(samples(0.01), 7u);
    decayShape(click, 0.0005, 0.002);
    Synth::mixInto(s, click, 0.25);
    for (double& v : s)
        v *= velocity;
    return s;
}

Signal Instrument::snare(double velocity) {
    const int n = samples(0.26);
    Signal rattle = Synth::noise(n, 13u);
    highPass(rattle, 900.0);
    lowPass(rattle, 7000.0);
    decayShape(rattle, 0.001, 0.07);
    Signal body(static_cast<size_t>(n));
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        phase += (185.0 + 60.0 * std::exp(-i / kRate / 0.02)) / kRate;
        body[i] = std::sin(2.0 * kPi * phase);
    }
    decayShape(body, 0.001, 0.05);
    Signal s(static_cast<size_t>(n), 0.0);
    Synth::mixInto(s, rattle, 0.7 * velocity);
    Synth::mixInto(s, body, 0.6 * velocity);
    return s;
}

Signal Instrument::hat(double velocity, double decay) {
    Signal s = Synth::noise(samples(decay * 5.0 + 0.01), 29u);
    highPass(s, 6000.0);
    decayShape(s, 0.0005, decay);
    for (double& v : s)
        v *= velocity;
    return s;
}

Signal Instrument::bass(double f, double held, double velocity) {
    // A saw and a sine an octave down, through a low-pass that closes as the note goes
    // on: a pluck that settles into a round tone.
    const double release = 0.05;
    const int n = samples(held + release);
    Signal s(static_cast<size_t>(n));
    double phase = 0.0;
    double sub = 0.0;
    double y = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        phase += f / kRate;
        phase -= std::floor(phase);
        sub += 0.5 * f / kRate;
        sub -= std::floor(sub);
        const double cutoff = 250.0 + 1600.0 * std::exp(-t / 0.08);
        const double a = 1.0 - std::exp(-2.0 * kPi * cutoff / kRate);
        y += a * (saw(phase) - y);
        s[i] =
            (0.8 * y + 0.5 * std::sin(2.0 * kPi * sub)) * hold(t, 0.004, held, release) * velocity;
    }
    return s;
}

Signal Instrument::pad(double f, double held, double velocity) {
    // Three saws a few cents apart beat slowly against each other; a slow swell in and
    // a long release out.
    const double release = 0.7;
    const int n = samples(held + release);
    Signal s(static_cast<size_t>(n), 0.0);
    const double detune[3] = {0.996, 1.0, 1.0045};
    const double start[3] = {0.0, 0.33, 0.71};
    for (int k = 0; k < 3; ++k) {
        double phase = start[k];
        for (int i = 0; i < n; ++i) {
            phase += f * detune[k] / kRate;
            if (phase >= 1.0)
                phase -= 1.0;
            s[i] += saw(phase) / 3.0;
        }
    }
    lowPass(s, 1100.0);
    lowPass(s, 2400.0);
    for (int i = 0; i < n; ++i)
        s[i] *= hold(i / kRate, 0.25, held, release) * velocity;
    return s;
}

Signal Instrument::lead(double f, double held, double velocity) {
    // A pulse a third wide, its vibrato coming in after the first quarter second, as a
    // player leans into a long note.
    const double release = 0.12;
    const int n = samples(held + release);
    Signal s(static_cast<size_t>(n));
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        const double depth = 0.006 * std::clamp((t - 0.25) / 0.3, 0.0, 1.0);
        phase += f * (1.0 + depth * std::sin(2.0 * kPi * 5.5 * t)) / kRate;
        phase -= std::floor(phase);
        s[i] = phase < 0.33 ? 1.0 : -0.5; // the pulse's mean is zero
    }
    lowPass(s, 2600.0);
    lowPass(s, 5000.0);
    for (int i = 0; i < n; ++i)
        s[i] *= hold(i / kRate, 0.008, held, release) * velocity;
    return s;
}

Signal Instrument::bell(double f, double held, double velocity) {
    // Two-operator FM: a modulator at 3.5 times the pitch gives the bell's inharmonic
    // shimmer, fading faster than the tone under it.
    const double ring = std::max(held, 0.6) + 0.4;
    const int n = samples(ring);
    Signal s(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = i / kRate;
        const double index = 2.2 * std::exp(-t / 0.25);
        const double m = std::sin(2.0 * kPi * 3.5 * f * t);
        s[i] = std::sin(2.0 * kPi * f * t + index * m);
    }
    decayShape(s, 0.002, 0.5);
    for (double& v : s)
        v *= velocity;
    return s;
}

} // namespace contentgen
