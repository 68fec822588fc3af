#include "tools/contentgen/Synth.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/Geometry.h"
#include "tools/contentgen/Lcg.h"
#include "tools/contentgen/WavEncoder.h"

namespace contentgen {

namespace {

constexpr double kRate = WavEncoder::kSampleRate;

double glide(double f0, double f1, double t) {
    return f0 * std::pow(f1 / f0, t);
}

} // namespace

int Synth::samplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

Signal Synth::noise(int count, uint32_t seed) {
    Lcg lcg(seed);
    Signal s(static_cast<size_t>(count));
    for (double& v : s)
        v = lcg.signedUnit();
    return s;
}

Signal Synth::tone(int count, double f0, double f1, bool saw, double vibrato) {
    Signal s(static_cast<size_t>(count));
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / std::max(1, count - 1);
        const double wobble = 1.0 + vibrato * std::sin(2.0 * kPi * 7.0 * i / kRate);
        phase += glide(f0, f1, t) * wobble / kRate;
        phase -= std::floor(phase);
        s[i] = saw ? 2.0 * phase - 1.0 : std::sin(2.0 * kPi * phase);
    }
    return s;
}

void Synth::bandPass(Signal& s, double f0, double f1, double damping) {
    // Chamberlin state-variable filter; stable well below a sixth of the sample rate,
    // which every caller stays under.
    double low = 0.0;
    double band = 0.0;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / std::max(1, n - 1);
        const double f = 2.0 * std::sin(kPi * glide(f0, f1, t) / kRate);
        low += f * band;
        const double high = s[i] - low - damping * band;
        band += f * high;
        s[i] = band;
    }
}

void Synth::lowPass(Signal& s, double f0, double f1) {
    double y = 0.0;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / std::max(1, n - 1);
        const double a = 1.0 - std::exp(-2.0 * kPi * glide(f0, f1, t) / kRate);
        y += a * (s[i] - y);
        s[i] = y;
    }
}

void Synth::swell(Signal& s, double peakAt) {
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / std::max(1, n - 1);
        const double u = t < peakAt ? 0.5 * t / peakAt : 0.5 + 0.5 * (t - peakAt) / (1.0 - peakAt);
        const double e = std::sin(kPi * u);
        s[i] *= e * e;
    }
}

void Synth::strike(Signal& s, double attack, double decay, int startSample) {
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        const double t = (i - startSample) / kRate;
        double e = 0.0;
        if (t >= 0.0)
            e = t < attack ? t / attack : std::exp(-(t - attack) / decay);
        s[i] *= e;
    }
}

void Synth::mixInto(Signal& into, const Signal& add, double gain, int startSample) {
    for (size_t i = 0; i < add.size(); ++i) {
        const size_t at = i + static_cast<size_t>(startSample);
        if (at < into.size())
            into[at] += add[i] * gain;
    }
}

void Synth::finish(Signal& s, double peak) {
    double most = 0.0;
    for (double v : s)
        most = std::max(most, std::fabs(v));
    const double k = most > 0.0 ? peak / most : 0.0;
    const int fade = std::min(static_cast<int>(s.size()), samplesFor(0.008));
    for (size_t i = 0; i < s.size(); ++i) {
        const int fromEnd = static_cast<int>(s.size() - 1 - i);
        const double tail = fromEnd < fade ? double(fromEnd) / fade : 1.0;
        s[i] *= k * tail;
    }
}

} // namespace contentgen
