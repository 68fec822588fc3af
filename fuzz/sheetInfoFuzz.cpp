// A sprite sheet's info file, read by CSpriteBase. The folder holds every frame image
// a shipped info names (small copies), so seeds load whole; an input naming an image
// that is not there takes the non-fatal path (the game itself stops there by design).
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"
#include "sprite/CSpriteBase.h"

namespace {
std::string folder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    folder = fuzzharness::scratch() + "/sheet";
    for (const auto& e : std::filesystem::recursive_directory_iterator(fuzzharness::shippedData()))
        if (e.path().filename() == "info" && e.path().parent_path().filename() != "Brawler") {
            std::string rel =
                std::filesystem::relative(e.path().parent_path(), fuzzharness::shippedData())
                    .string();
            fuzzharness::makeQuickSheet(rel, folder);
        }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(folder + "/info", data, size);
    CSpriteBase sheet;
    sheet.init(folder);
    // The checker's way: every problem recorded, loading goes on past bad images.
    loadReport report;
    CSpriteBase checked;
    checked.init(folder, &report);
    report.sortedLines();
    return 0;
}
