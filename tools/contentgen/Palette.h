#pragma once

#include "tools/contentgen/Rgb.h"

namespace contentgen {

// The fighter's colours: a white gi with a black belt and a red headband, so that he
// stands out against the dusk stage and reads the same in every frame.
namespace palette {
constexpr Rgb kOutline{30, 24, 36};
constexpr Rgb kGi{234, 230, 218};
constexpr Rgb kGiFold{176, 172, 168};
constexpr Rgb kBelt{38, 34, 42};
constexpr Rgb kSkin{226, 170, 124};
constexpr Rgb kSkinShadow{176, 118, 88};
constexpr Rgb kHair{44, 34, 32};
constexpr Rgb kBand{204, 40, 46};
constexpr Rgb kEye{30, 24, 36};
} // namespace palette

} // namespace contentgen
