#pragma once

#include <string>

// What kind of value a line of the controls file gives.
enum class settingKind {
    key,       // an SDL key code, written as SDL's key name
    joystick,  // a joystick device index; -1, the keyboard, is never written
    joyButton, // a joystick button number
};

// One setting of the controls file and where its value lives.
struct controlSetting {
    std::string name;  // as the file writes it: "1p.left", "2p.joystick.a", "overlay"
    std::string alias; // a second name the file may use ("1p.up" for "1p.jump"), or empty
    settingKind kind;
    int* value;       // the value in the controlsConfig the list was made from (not owned)
    int player;       // 0 the first player, 1 the second, -1 the game's own keys
    const char* does; // what it does, for the comment above it in a written file
};
