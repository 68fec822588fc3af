#include "tools/contentgen/FighterLook.h"

#include "tools/contentgen/Palette.h"

namespace contentgen {

FighterLook FighterLook::brawler() {
    FighterLook look;
    look.colours = {palette::kOutline, palette::kGi,   palette::kGiFold,     palette::kGi,
                    palette::kBelt,    palette::kSkin, palette::kSkinShadow, palette::kHair,
                    palette::kBand,    palette::kSkin, palette::kEye};
    return look;
}

FighterLook FighterLook::basalt() {
    namespace b = palette::basalt;
    FighterLook look;
    // Shorter legs, a longer and broader trunk, big hands: he stands about as tall as
    // the Brawler but reads twice as heavy.
    look.size.torso = 52.0;
    look.size.neck = 21.0; // clears the broad shoulders
    look.size.headRadius = 14.0;
    look.size.upperArm = 29.0;
    look.size.forearm = 25.0;
    look.size.fistReach = 5.0;
    look.size.fistRadius = 8.5;
    look.size.thigh = 34.0;
    look.size.shin = 31.0;
    look.size.foot = 14.0;
    look.size.footRadius = 5.5;
    look.bulk = 1.45;
    look.vestOpen = 0.55;
    look.colours = {b::kOutline,    b::kVest,  b::kVestFold, b::kTrousers, b::kBelt, b::kSkin,
                    b::kSkinShadow, b::kBeard, b::kBelt,     b::kBoots,    b::kEye};
    look.headband = false;
    look.sleeves = false;
    look.bracers = true;
    look.bald = true;
    look.beard = true;
    return look;
}

} // namespace contentgen
