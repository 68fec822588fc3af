#include "config/optionsPlaces.h"

#include "config/controlsFile.h"

optionsPlaces optionsPlaces::forControls(const std::string& givenControls) {
    optionsPlaces places;
    places.controls = givenControls.empty() ? defaultControlsPath() : givenControls;
    if (places.controls.empty())
        return places;
    // A bare "--controls keys" is in the working folder, and so is its settings file.
    size_t slash = places.controls.rfind('/');
    places.settings =
        slash == std::string::npos ? "settings" : places.controls.substr(0, slash + 1) + "settings";
    return places;
}
