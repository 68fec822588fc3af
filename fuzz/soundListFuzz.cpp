// A sound list ("SOUNDS: n", then names), read by soundSet as a first list and then
// added to itself, as the character's list is added to the shared one. Every shipped
// sample is in the folder, so listed names load.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "datafile/loadReport.h"
#include "fuzz/fuzzHarness.h"
#include "sound/soundSet.h"

namespace {
std::string folder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    folder = fuzzharness::scratch() + "/sound";
    std::filesystem::create_directories(folder);
    for (const char* shipped : {"soundSet", "Brawler/sound"})
        for (const auto& e :
             std::filesystem::directory_iterator(fuzzharness::shippedData() + "/" + shipped))
            if (e.path().extension() == ".wav")
                std::filesystem::copy_file(e.path(), folder + "/" + e.path().filename().string(),
                                           std::filesystem::copy_options::overwrite_existing);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(folder + "/sound", data, size);
    soundSet sounds;
    sounds.getList(folder);
    sounds.addToList(folder);
    sounds.returnSound("clack");
    loadReport report;
    soundSet checked;
    checked.getList(folder, &report);
    checked.addToList(folder, &report);
    return 0;
}
