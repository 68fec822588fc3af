#pragma once

#include "tools/contentgen/SheetModel.h"

namespace contentgen {

// data/run: a small sprinting version of the fighter. The game loads this sheet at
// start-up and never draws it, but it has to be there and load cleanly.
class RunnerSheet {
public:
    static Sheet build();
};

} // namespace contentgen
