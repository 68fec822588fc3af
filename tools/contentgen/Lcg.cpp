#include "tools/contentgen/Lcg.h"

namespace contentgen {

uint32_t Lcg::next() {
    // Numerical Recipes constants; the top bits are the good ones, so callers only use
    // those (unit() takes the high 24 bits).
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
}

double Lcg::unit() {
    return static_cast<double>(next() >> 8) / 16777216.0;
}

int Lcg::range(int lo, int hi) {
    return lo + static_cast<int>(unit() * static_cast<double>(hi - lo + 1));
}

} // namespace contentgen
