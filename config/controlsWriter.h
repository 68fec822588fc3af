#pragma once

#include <string>

class controlsConfig;

// What writing the default controls came to.
struct controlsWriteResult {
    bool written;        // the file was written: exit 0; otherwise exit 1
    std::string message; // the line to print: "brawler: wrote the default controls to FILE",
                         // or what stopped it
};

// The default controls as a file: every setting on a line with a comment above it
// saying what it does. The joystick lines are commented out: without them a player
// is on the keyboard. Read back, it gives the defaults without a warning.
std::string defaultControlsText();
// The same for any controls: their values, the same comments; a player on the keyboard
// has the joystick line commented out. Read back, it gives the same controls.
std::string controlsText(const controlsConfig& controls);

// Writes defaultControlsText() to `path`, or when it is empty to defaultControlsPath()
// (making its brawler/ folder). Never writes over a file that is already there.
controlsWriteResult writeDefaultControls(const std::string& path);
