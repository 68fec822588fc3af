#pragma once

#include <string>
#include <vector>

#include "tools/contentgen/ContentModel.h"
#include "tools/contentgen/FighterArtist.h"
#include "tools/contentgen/SheetModel.h"

namespace contentgen {

// One frame of choreography: the pose and the frame data that goes with it.
struct Beat {
    Pose pose;
    int delay = 10; // milliseconds before the 3.0 sprite speed: 10 shows for ~30 ms
    int damage = 0; // above 0 makes this an active frame: attack box on the striker
    std::string sound = "NULL";
    std::vector<SpawnLine> particles;
    int moveX = 0; // forward pixels per movement step
    int moveY = 0; // upward launch per movement step
    std::string label = "frame";
    std::string note; // comment line written before the frame block
};

// Turns beats into the fighter's frames: every frame the same size with the same
// anchor, the body box from the drawing, and on active frames the attack box around
// the striking limb with hit type 1.
class FighterFrames {
public:
    explicit FighterFrames(const FighterArtist& artist);

    Sheet sheet(const std::string& name, const std::vector<Beat>& beats) const;
    // A moveset block: the move's sheet with its command and condition.
    MoveRecord move(const char* name, const char* command, const char* condition,
                    const std::vector<Beat>& beats) const;
    // The engine sizes a fighter's saved background from blank's first frame and copies
    // its key, so blank is one frame of nothing but key colour at the common frame size.
    static Sheet blank();
    Frame frame(const std::string& imageName, const Beat& beat) const;

private:
    const FighterArtist& artist_;
};

} // namespace contentgen
