// The opponent's attack table (<character>/ai/attack), read by aiAttackList, and a draw
// for every range letter from both groups the opponent uses.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "ai/aiAttackList.h"
#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"

namespace {
std::string folder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    folder = fuzzharness::scratch() + "/ai";
    std::filesystem::create_directories(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(folder + "/attack", data, size);
    aiAttackList attacks;
    attacks.getList(folder);
    for (char range : {'S', 'M', 'L', 'U', 'D', 'x'})
        for (const char* situation : {"ground", "aerial"})
            attacks.getAttack(range, situation);
    loadReport report;
    aiAttackList checked;
    checked.getList(folder, &report);
    return 0;
}
