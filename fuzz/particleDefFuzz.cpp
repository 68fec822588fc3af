// A particle's definition file (particle/<name>/particle), read by particleInfo.
#include <cstddef>
#include <cstdint>

#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"
#include "particles/particleInfo.h"

namespace {
std::string folder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    folder = fuzzharness::scratch() + "/particle/spark";
    fuzzharness::makeQuickSheet("particle/spark", folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(folder + "/particle", data, size);
    particleInfo info;
    info.ParticleInfo(folder);
    loadReport report;
    particleInfo checked;
    checked.ParticleInfo(folder, &report);
    return 0;
}
