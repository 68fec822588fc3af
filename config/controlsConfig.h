#pragma once

#include <array>
#include <vector>

#include "config/controlSetting.h"
#include "control/gamepad.h"

// The keys the game is played with: a pad for each player and the game's own two keys.
// A fresh one holds the defaults, which the controls file may change line by line.
class controlsConfig {
public:
    std::array<gamePad, 2> players; // [0] the first player (arrows, z x c), [1] the second
    int overlayKey;                 // SDL key code that shows or hides the debug overlay
    int pauseKey;                   // SDL key code that pauses and resumes a match

    controlsConfig();
    // Every setting a controls file can hold, in the order a written file lists them.
    // The values point into this object: the list is stale once it is copied or gone.
    std::vector<controlSetting> settings();
};
