#pragma once

#include <cstdint>

namespace contentgen {

// One 24-bit colour as the BMP files store it.
struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

inline bool operator==(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator!=(Rgb a, Rgb b) {
    return !(a == b);
}

// Every frame of every sheet uses this key: the engine's background restore skips it,
// so the stage must never contain it.
constexpr Rgb kKeyColour{255, 0, 255};

} // namespace contentgen
