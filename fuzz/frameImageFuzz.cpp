// A frame image, read through the sheet loader: a fixed info names one frame, and the
// input is that frame's BMP file.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"
#include "sprite/CSpriteBase.h"

namespace {

std::string folder;

// One frame block, as the shipped spark's first frame, naming frame.bmp.
const char* const kInfo = "FILES: 1\n"
                          "frame.bmp 20 255 0 255\n"
                          "7 7\n"
                          "1 -3000 0 -3000\n"
                          "1 13 0 13\n"
                          "0\n0\n0\n"
                          "0 0\n0 0\n"
                          "NULL\n"
                          "0\n"
                          "1 0\n"
                          "0\n"
                          "spark\n";

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    folder = fuzzharness::scratch() + "/sheet";
    std::filesystem::create_directories(folder);
    fuzzharness::writeText(folder + "/info", kInfo);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(folder + "/frame.bmp", data, size);
    CSpriteBase sheet;
    sheet.init(folder);
    loadReport report;
    CSpriteBase checked;
    checked.init(folder, &report);
    return 0;
}
