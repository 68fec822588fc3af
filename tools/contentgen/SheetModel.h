#pragma once

#include <string>
#include <vector>

#include "tools/contentgen/Geometry.h"
#include "tools/contentgen/Image.h"

namespace contentgen {

// A particle to spawn: "name x y". From a fighter's frame the particle's anchor goes
// to (fighter x +/- x, fighter y - y), so y is upward; from a particle's OnDeath list
// it is measured from the parent image's top-left corner, y downward.
struct SpawnLine {
    std::string name;
    int x = 0;
    int y = 0;
};

struct Point {
    int x = 0;
    int y = 0;
};

// One frame block of a sheet's `info` file, field by field in file order.
struct FrameRecord {
    std::string image;          // BMP file name inside the sheet folder
    int delay = 10;             // milliseconds, multiplied by the sprite's speed (3.0 in game)
    Rgb key = kKeyColour;       // colour key written on every frame line
    Point anchor;               // image pixels; a fighter's position is this point
    Box cBox;                   // body box, image pixels
    Box dBox = kNoBox;          // attack box, image pixels
    int damage = 0;             // hit points per contact step (fighters) or per hit (particles)
    int flag1 = 0;              // stored by the engine, read by nobody
    int hitType = 0;            // 1 makes the victim play its hit reaction
    Point point1;               // stored by the engine, read by nobody
    Point point2;               // stored by the engine, read by nobody
    std::string sound = "NULL"; // sound started when this frame comes up
    std::vector<SpawnLine> particles; // spawned when this frame comes up
    int moveX = 0;                    // pixels per movement step, forward
    int moveY = 0;                    // upward launch per movement step when above 0
    int flag2 = 0;                    // stored by the engine, read by nobody
    std::string label = "frame";      // one word naming the frame's role
    std::string note; // written as a '#' comment line before the block; may be empty
};

struct Frame {
    FrameRecord info;
    Image image;
};

// A sprite-sheet folder: its name is the folder name.
struct Sheet {
    std::string name;
    std::vector<Frame> frames;
};

} // namespace contentgen
