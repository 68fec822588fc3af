#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "config/controlSetting.h"

class controlsConfig;

// Reads a controls file over a controlsConfig, a line at a time: `1p.a = z`,
// `2p.joystick = 0`, `overlay = j`; `#` starts a comment line. A line that cannot be used
// leaves its setting as it was and adds a warning that names the file and line, says
// what is wrong and what to do; nothing in the file stops the game from starting.
class controlsReader {
public:
    // A line longer than this is not read; no setting needs a tenth of it.
    static constexpr int kMaxLine = 200;
    // Reading stops here, so a wrong file (a device, a huge log) cannot hang the game.
    static constexpr long kMaxBytes = 64 * 1024;
    // Warnings past this many are summed up in one line.
    static constexpr int kMaxWarnings = 50;

    // `fileName` is how warnings name the file. The reader changes `controls` and
    // appends to `warnings`; both belong to the caller and must outlive the reader.
    controlsReader(const std::string& fileName, controlsConfig& controls,
                   std::vector<std::string>& warnings);
    // Reads `f` to its end (or kMaxBytes) and applies every usable line; then a key
    // given to two actions goes back to its default on the later line, and the warnings
    // are appended in line order.
    void read(FILE* f);

private:
    bool nextLine(FILE* f, std::string& line, bool& tooLong, bool& cut);
    static bool moreToRead(FILE* f);
    void applyLine(const std::string& line);
    void applyValue(size_t setting, const std::string& value);
    bool valueFor(const controlSetting& s, const std::string& value, int& out,
                  std::string& problem) const;
    int findSetting(const std::string& name) const;
    void settleClashes();
    bool clash(size_t a, size_t b) const;
    bool live(size_t setting) const;
    std::string clashText(const controlSetting& s, const controlSetting& other) const;
    std::string described(const controlSetting& s) const;
    void warn(int line, const std::string& text);
    void flushWarnings();

    std::string fileName_;
    std::vector<std::string>& warnings_;
    std::vector<controlSetting> settings_;           // point into the caller's controlsConfig
    std::vector<int> defaults_;                      // each setting's value before the file
    std::vector<int> setOnLine_;                     // the line that set each setting; 0 for none
    std::vector<std::pair<int, std::string>> found_; // (line, text), in line order at the end
    int lineNumber_ = 0;
    long bytesRead_ = 0;
};
