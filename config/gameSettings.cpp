#include "config/gameSettings.h"

#include <algorithm>
#include <cctype>

namespace {

std::vector<int> range(int low, int high) {
    std::vector<int> all;
    for (int v = low; v <= high; ++v)
        all.push_back(v);
    return all;
}

std::string lowered(const std::string& word) {
    std::string out;
    for (unsigned char c : word)
        out += static_cast<char>(std::tolower(c));
    return out;
}

} // namespace

std::vector<settingField> gameSettings::fields() {
    return {
        {"sound", &soundVolume, range(0, 10), settingStyle::number,
         "volume of the sound effects, 0 (silent) to 10"},
        {"music", &musicVolume, range(0, 10), settingStyle::number,
         "volume of the music, 0 (silent) to 10"},
        {"fullscreen",
         &fullscreen,
         {0, 1},
         settingStyle::yesNo,
         "yes starts fullscreen, no in a window (F11 switches while playing)"},
        {"scale", &scale, range(1, 4), settingStyle::number,
         "the window is this many times 800x600, 1 to 4"},
        {"rounds",
         &rounds,
         {1, 3, 5, 7, 9},
         settingStyle::number,
         "a match is best of this many rounds: 1, 3, 5, 7 or 9"},
        {"time",
         &roundSeconds,
         {30, 60, 99, 0},
         settingStyle::time,
         "a round's timer in seconds: 30, 60, 99, or none for rounds without a timer"},
        {"cpu", &cpu, range(1, 8), settingStyle::number,
         "the computer's level, 1 (easiest) to 8 (hardest)"},
    };
}

bool gameSettings::operator==(const gameSettings& o) const {
    return soundVolume == o.soundVolume && musicVolume == o.musicVolume &&
           fullscreen == o.fullscreen && scale == o.scale && rounds == o.rounds &&
           roundSeconds == o.roundSeconds && cpu == o.cpu;
}

std::string gameSettings::text(const settingField& f, int value) {
    if (f.style == settingStyle::yesNo)
        return value ? "yes" : "no";
    if (f.style == settingStyle::time && value == 0)
        return "none";
    return std::to_string(value);
}

bool gameSettings::read(const settingField& f, const std::string& word, int& value) {
    std::string w = lowered(word);
    for (int choice : f.choices)
        if (w == text(f, choice)) {
            value = choice;
            return true;
        }
    return false;
}

bool gameSettings::step(const settingField& f, int by) {
    auto at = std::find(f.choices.begin(), f.choices.end(), *f.value);
    int now = at == f.choices.end() ? 0 : static_cast<int>(at - f.choices.begin());
    int next = std::clamp(now + by, 0, static_cast<int>(f.choices.size()) - 1);
    if (next == now && at != f.choices.end())
        return false;
    *f.value = f.choices[next];
    return true;
}
