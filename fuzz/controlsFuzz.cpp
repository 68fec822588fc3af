// The controls file (~/.config/brawler/controls), read as the game reads it. Besides
// not crashing, whatever the input, every warning names the file and no key is left
// doing two things for one player.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "config/controlsConfig.h"
#include "config/controlsFile.h"
#include "fuzz/fuzzHarness.h"

namespace {
std::string path;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzharness::start();
    path = fuzzharness::scratch() + "/controls";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzharness::writeFile(path, data, size);
    controlsConfig controls;
    std::vector<std::string> warnings;
    readControlsFile(path, controls, warnings);
    for (const std::string& w : warnings)
        if (w.rfind("brawler: warning: " + path, 0) != 0)
            abort();
    std::vector<controlSetting> settings = controls.settings();
    for (const controlSetting& a : settings)
        for (const controlSetting& b : settings)
            if (&a != &b && a.kind == settingKind::key && b.kind == settingKind::key &&
                a.player == b.player && *a.value == *b.value)
                abort();
    return 0;
}
