#pragma once

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// Draws and synthesises the whole content model: stage, runner, particles, the
// fighter's animations and moves, sounds and the opponent's attack table.
class ContentBuilder {
public:
    static ContentModel build();
    static AttackTable attackTable();
};

} // namespace contentgen
