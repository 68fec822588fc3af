// The data checker over a copy of the shipped data in which one file, FUZZ_DATA_FILE
// (relative to the data folder), is the input, and every other frame image the small
// frame (decoding 87 full frames per input left the target at a few inputs a second). Whatever the
// file holds, the checker must report it and return: never crash, hang or end the process.
#include <cstddef>
#include <cstdint>

#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"
#include "tools/checker/dataChecker.h"

namespace {
std::string root;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    root = fuzzharness::scratch() + "/data";
    fuzzharness::copyShipped("", root);
    fuzzharness::shrinkFrames(root, FUZZ_DATA_FILE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(root + "/" + FUZZ_DATA_FILE, data, size);
    loadReport report;
    dataChecker checker(root, report);
    checker.run();
    report.sortedLines();
    return 0;
}
