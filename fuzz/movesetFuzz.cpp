// A character's moveset file, read by moveSet; each block's name loads a quick sheet of
// the same name. The lists the controllers ask for are built from what was read.
#include <cstddef>
#include <cstdint>

#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"
#include "moves/moveSet.h"

namespace {
std::string folder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    folder = fuzzharness::scratch() + "/Brawler";
    fuzzharness::makeQuickCharacter(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(folder + "/moveset", data, size);
    moveSet moves;
    moves.loadAll(folder);
    for (const char* button : {"A", "B", "C"})
        deleteMoveList(moves.returnMoveList(button));
    moves.returnAnimation("hit1");
    loadReport report;
    moveSet checked;
    checked.loadAll(folder, &report);
    return 0;
}
