#pragma once

#include <cstdint>

namespace contentgen {

// Our own small random source. The generator must write the same bytes on every run
// and every machine, which std::rand and the <random> distributions do not promise.
class Lcg {
public:
    explicit Lcg(uint32_t seed) : state_(seed) {}

    uint32_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [-1, 1).
    double signedUnit() { return unit() * 2.0 - 1.0; }
    // Uniform integer in [lo, hi].
    int range(int lo, int hi);

private:
    uint32_t state_;
};

} // namespace contentgen
