#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sprite/CSpriteBase.h"
#include "tests/testSupport.h"

// Writers for character folders: the animation list `info`, the `moveset` file and the
// sheets they name.
namespace fighterdata {

using Frames = std::vector<testsupport::FrameSpec>;

struct MoveSpec {
    std::string name;
    std::string command = "A";
    std::string condition = "null";
};

std::string animList(const std::vector<std::string>& names);
std::string movesetText(const std::vector<MoveSpec>& moves);
// <folder>/info and <folder>/moveset, and a sheet folder for every entry with frames.
void writeCharacter(const std::string& folder,
                    const std::vector<std::pair<std::string, Frames>>& anims,
                    const std::vector<std::pair<MoveSpec, Frames>>& moves = {});
// A w x h frame anchored at (ax, ay) whose body box covers the image.
testsupport::FrameSpec frame(int w, int h, int ax, int ay, testsupport::RGB fill);
// Fills `sheet` in memory with one imageless frame of the given width and its mirrored
// copy, for box arithmetic that needs no pixels.
void boxSheet(CSpriteBase& sheet, int width, colBox body, int anchorX, int anchorY, colBox attack,
              int damage);

} // namespace fighterdata
