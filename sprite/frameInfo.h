#pragma once

#include <string>
#include <vector>

#include "SDL.h"

#include "collision/colBox.h"

// A point in image pixels, origin at the frame's top-left corner.
struct framePoint {
    int x = 0;
    int y = 0;
};

// One frame of a sprite sheet: its image and the fighting data that rides on it.
// Coordinates are image pixels. In a mirrored copy only image, anchorX, the left and
// right of cBox and dBox and the x of both points are set; every reader takes the
// other values from the unmirrored frame.
struct frameInfo {
    SDL_Surface* image = nullptr; // display format, colour key applied; owned by the sheet
    int delay = 0;                // milliseconds on show, before the sprite's speed scales it
    colBox cBox;                  // body (collision) box
    int anchorX = 0;              // hot spot that a fighter's position refers to
    int anchorY = 0;
    colBox dBox;           // attack (damage) box
    int damage = 0;        // hit points taken per contact step; overlay draws dBox when > 0
    bool flag1 = false;    // stored, read by nobody
    int hitType = 0;       // kind of hit, picks the reaction move
    framePoint point1;     // stored, read by nobody
    framePoint point2;     // stored, read by nobody
    std::string soundName; // sound started by the frame, "NULL" for none
    int particleCount = 0; // number of entries in particleNames
    std::vector<std::string> particleNames; // whole particle lines, line end included
    int moveX = 0;                          // pixels per movement step, forward
    int moveY = 0;                          // upward launch when above 0
    bool flag2 = false;                     // stored, read by nobody
    std::string label;                      // a word stored with the frame
    int infoLine = 0; // line of the sheet's info file where the frame's block starts
};
