// A character's animation list (<character>/info), read by animationSet. Every shipped
// animation and move folder is there as a quick sheet, so the names it lists load.
#include <cstddef>
#include <cstdint>

#include "datafile/loadReport.h"
#include "fighter/animationSet.h"
#include "fuzz/fuzzHarness.h"

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
    fuzzharness::writeFile(folder + "/info", data, size);
    animationSet anims;
    anims.loadAll(folder);
    anims.returnAnimation("standing");
    loadReport report;
    animationSet checked;
    checked.loadAll(folder, &report);
    return 0;
}
