#include "tools/netproxy/splitMix.h"

uint64_t SplitMix::next() {
    state_ += 0x9e3779b97f4a7c15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

double SplitMix::percent() {
    // The top 53 bits fill a double's mantissa exactly.
    return static_cast<double>(next() >> 11) * (100.0 / 9007199254740992.0);
}

long SplitMix::range(long lo, long hi) {
    if (hi <= lo)
        return lo;
    uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
    // The spans here are a few thousand at most, so the modulo's bias is negligible.
    return lo + static_cast<long>(next() % span);
}
