// The settings file beside the controls file, read as the game reads it. Besides not
// crashing, whatever the input, every warning names the file and every setting holds one
// of its own choices, so the options page and the game never see a value out of range.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "config/gameSettings.h"
#include "config/settingsFile.h"
#include "fuzz/fuzzHarness.h"

namespace {
std::string path;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    path = fuzzharness::scratch() + "/settings";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(path, data, size);
    gameSettings settings;
    std::vector<std::string> warnings;
    settingsFile::read(path, settings, warnings);
    for (const std::string& w : warnings)
        if (w.rfind("brawler: warning: " + path, 0) != 0)
            abort();
    for (const settingField& f : settings.fields())
        if (std::find(f.choices.begin(), f.choices.end(), *f.value) == f.choices.end())
            abort();
    return 0;
}
