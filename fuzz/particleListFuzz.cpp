// The particle list (particle/default), read by partInfoList; the shipped particle
// folders are beside it, with quick sheets.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "SDL.h"

#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"
#include "particles/partInfoList.h"

namespace {
std::string root;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    root = fuzzharness::scratch() + "/data";
    for (const char* name : {"fireball1", "spark"}) {
        std::string shipped = std::string("particle/") + name;
        fuzzharness::makeQuickSheet(shipped, root + "/" + shipped);
        fuzzharness::copyShipped(shipped + "/particle", root + "/" + shipped + "/particle");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(root + "/particle/default", data, size);
    partInfoList list;
    list.addList("default", SDL_GetVideoSurface(), root);
    list.findParticle("spark");
    loadReport report;
    partInfoList checked;
    checked.addList("default", SDL_GetVideoSurface(), root, &report);
    return 0;
}
