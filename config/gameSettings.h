#pragma once

#include <string>
#include <vector>

// How a setting's value is written in the settings file and shown in the options.
enum class settingStyle {
    number, // the number itself: "7"
    yesNo,  // 1 "yes", 0 "no"
    time,   // a round's seconds, 0 written "none"
};

// One line of the settings file and where its value lives.
struct settingField {
    std::string name;         // as the file writes it: "sound", "rounds"
    int* value;               // in the gameSettings the list was made from (not owned)
    std::vector<int> choices; // every value allowed, in the order Left and Right step
    settingStyle style;       // how the value is written
    const char* does;         // what it does, for the comment above it in a written file
};

// The game's settings other than the keys: volumes, the window, and how a match is
// played. A fresh one holds the defaults, which the settings file may change line by
// line; options given on the command line win over both.
class gameSettings {
public:
    int soundVolume = 10;  // sound effects, 0 (silent) to 10 (full)
    int musicVolume = 7;   // music, 0 (silent) to 10 (full)
    int fullscreen = 0;    // 1: start fullscreen; 0: in a window
    int scale = 1;         // the window is this many times 800x600: 1 to 4
    int rounds = 3;        // a match is best of this many: 1, 3, 5, 7 or 9
    int roundSeconds = 99; // a round's timer: 30, 60 or 99 s; 0 for no timer
    int cpu = 4;           // the computer's level, 1 (easiest) to 8 (hardest)

    // Every setting, in the order a written file lists them. The values point into this
    // object: the list is stale once it is copied or gone.
    std::vector<settingField> fields();
    bool operator==(const gameSettings& o) const;
    bool operator!=(const gameSettings& o) const { return !(*this == o); }

    // A value as the file writes it: "7", "yes", "none".
    static std::string text(const settingField& f, int value);
    // The value a word of the file stands for; false when it is none of f's choices.
    static bool read(const settingField& f, const std::string& word, int& value);
    // The choice `by` places from the value now (Left -1, Right +1), held at the ends;
    // false when it was at the end already.
    static bool step(const settingField& f, int by);
};
