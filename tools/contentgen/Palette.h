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

// The second colours (data/Brawler/palette2), worn when both sides play the Brawler: a
// deep indigo gi and a gold headband, dark against the white gi and warm against the red
// band, so the two read apart at a glance even mid-fight.
constexpr Rgb kGi2{58, 66, 150};
constexpr Rgb kGiFold2{38, 44, 104};
constexpr Rgb kBand2{250, 190, 36};

// Basalt: weathered dark skin, a black beard, an ochre leather vest over the bare chest,
// moss-green trousers and heavy brown boots; nothing white, so he never reads as the
// Brawler, whatever colours either wears.
namespace basalt {
constexpr Rgb kOutline{26, 22, 20};
constexpr Rgb kSkin{160, 104, 70};
constexpr Rgb kSkinShadow{112, 70, 48};
constexpr Rgb kBeard{36, 30, 28};
constexpr Rgb kVest{196, 132, 52};
constexpr Rgb kVestFold{140, 90, 36};
constexpr Rgb kTrousers{78, 104, 62};
constexpr Rgb kBelt{70, 46, 34};
constexpr Rgb kBoots{92, 60, 40};
constexpr Rgb kEye{22, 18, 16};

// His second colours: a slate-blue vest and rust trousers.
constexpr Rgb kVest2{82, 104, 150};
constexpr Rgb kVestFold2{56, 72, 108};
constexpr Rgb kTrousers2{150, 70, 44};
} // namespace basalt
} // namespace palette

} // namespace contentgen
