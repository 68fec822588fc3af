#include "sound/peakLimiter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kReleaseSeconds = 0.2; // the envelope falls by 1/e in this time

} // namespace

peakLimiter::peakLimiter(double makeup, int rate)
    : makeup_(makeup), release_(std::exp(-1.0 / (kReleaseSeconds * std::max(1, rate)))) {}

double peakLimiter::curve(double level) {
    if (level <= kKnee)
        return level;
    // Leaves the knee with the slope of the straight line below it and closes on the
    // ceiling without reaching it.
    const double room = kCeiling - kKnee;
    return kKnee + room * (1.0 - std::exp(-(level - kKnee) / room));
}

void peakLimiter::process(int16_t* samples, int frames, int channels) {
    const double scale = makeup_ / 32768.0;
    for (int f = 0; f < frames; ++f) {
        int16_t* frame = samples + static_cast<long>(f) * channels;
        int loudest = 0;
        for (int c = 0; c < channels; ++c)
            loudest = std::max(loudest, std::abs(static_cast<int>(frame[c])));
        envelope_ = std::max(loudest * scale, envelope_ * release_);
        const double gain = envelope_ > kKnee ? scale * curve(envelope_) / envelope_ : scale;
        for (int c = 0; c < channels; ++c) {
            const long v = std::lround(frame[c] * gain * 32768.0);
            frame[c] = static_cast<int16_t>(std::clamp(v, -32767L, 32767L));
        }
    }
}
