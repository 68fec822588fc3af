#pragma once

#include <cstdint>

// The proxy's one random source: SplitMix64, small and the same on every machine, so a
// seed gives the same drops, copies and delays for the same order of datagrams.
class SplitMix {
public:
    explicit SplitMix(uint64_t seed) : state_(seed) {}

    uint64_t next();
    // Uniform in [0, 100), to compare with a percentage.
    double percent();
    // Uniform whole number in [lo, hi]; lo when hi < lo.
    long range(long lo, long hi);

private:
    uint64_t state_;
};
