#pragma once

#include <cstdint>
#include <vector>

namespace contentgen {

// Writes samples as a RIFF/WAVE file: PCM, 16-bit signed little-endian, one channel.
class WavEncoder {
public:
    static constexpr int kSampleRate = 22050;

    // samples are in -1..1 at `rate` per second; anything outside is clipped.
    static std::vector<uint8_t> encode(const std::vector<double>& samples, int rate = kSampleRate);
};

} // namespace contentgen
