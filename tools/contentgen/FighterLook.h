#pragma once

#include "tools/contentgen/Rgb.h"
#include "tools/contentgen/Skeleton.h"

namespace contentgen {

// Base colours of one fighter, before the painter shades them in three tones.
struct FighterColours {
    Rgb outline;
    Rgb jacket;     // the top: a gi jacket or a vest
    Rgb jacketFold; // the lapels' fold
    Rgb trousers;
    Rgb belt;
    Rgb skin;
    Rgb skinShadow; // the ear's soft rim
    Rgb hair;
    Rgb band; // headband, when the fighter wears one
    Rgb feet; // bare feet are skin; boots are not
    Rgb eye;
};

// Everything that tells one fighter's body apart from another's: proportions,
// thickness, colours and the few costume choices the artist knows how to draw.
struct FighterLook {
    Proportions size;    // limb lengths and joint radii, pixels at scale 1
    double bulk = 1.0;   // thickness of torso and limbs, against the Brawler's
    double vestOpen = 0; // how much wider the top opens at the chest (0: a closed gi)
    FighterColours colours;
    bool headband = true; // a band across the brow with two tails flying behind
    bool sleeves = true;  // cloth down to mid-forearm; false leaves the arms bare
    bool bracers = false; // leather (belt colour) on the forearm's far half
    bool bald = false;    // no hair on top
    bool beard = false;   // jaw and chin in hair colour

    // The Brawler: white gi, black belt, red headband.
    static FighterLook brawler();
    // Basalt: a broad quarryman, bald and bearded, in a leather vest and boots.
    static FighterLook basalt();
};

} // namespace contentgen
