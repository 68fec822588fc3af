#pragma once

#include <string>

// Where the options are kept: the controls file and, in the same folder, the settings
// file. Either is empty when it has no place (neither XDG_CONFIG_HOME nor HOME set).
struct optionsPlaces {
    std::string controls; // the keys: --controls FILE, else the default place
    std::string settings; // the other settings: "settings" beside the controls file

    // The places for a game started with `--controls givenControls` (empty when the
    // option was not given).
    static optionsPlaces forControls(const std::string& givenControls);
};
