#include "tools/contentgen/WavEncoder.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/ByteWriter.h"

namespace contentgen {

namespace {

int16_t toPcm(double s) {
    double clipped = std::clamp(s, -1.0, 1.0);
    return static_cast<int16_t>(std::lround(clipped * 32767.0));
}

} // namespace

std::vector<uint8_t> WavEncoder::encode(const std::vector<double>& samples, int rate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    ByteWriter out;
    out.tag("RIFF");
    out.u32(36 + dataBytes);
    out.tag("WAVE");
    out.tag("fmt ");
    out.u32(16);                              // size of the fmt chunk
    out.u16(1);                               // PCM
    out.u16(1);                               // channels
    out.u32(static_cast<uint32_t>(rate));     // samples per second
    out.u32(static_cast<uint32_t>(rate * 2)); // bytes per second
    out.u16(2);                               // bytes per sample frame
    out.u16(16);                              // bits per sample
    out.tag("data");
    out.u32(dataBytes);
    for (double s : samples)
        out.i16(toPcm(s));
    return out.take();
}

} // namespace contentgen
