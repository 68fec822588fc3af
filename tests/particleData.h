#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/testSupport.h"

// Writers for particle definitions under <dataRoot>/particle: the list file and one
// folder per kind holding its sheet and its `particle` file.
namespace particledata {

struct ParticleSpec {
    ParticleSpec(std::string kind = "",
                 std::vector<testsupport::FrameSpec> sheet = {testsupport::FrameSpec{}})
        : name(std::move(kind)), frames(std::move(sheet)) {}

    std::string name;
    std::vector<testsupport::FrameSpec> frames;
    int alpha = 255;
    int lifetime = 0;
    int gravity = 0;
    std::vector<std::string> onDeath; // spawn entries without line ends
    std::vector<std::string> onHitPlayer;
};

// The `particle` file of a kind.
std::string definitionText(const ParticleSpec& kind);
// <dataRoot>/particle/<listName> naming every kind (list numbers 1, 2, ...), and each
// kind's folder.
void writeParticles(const std::string& dataRoot, const std::vector<ParticleSpec>& kinds,
                    const std::string& listName = "default");

} // namespace particledata
