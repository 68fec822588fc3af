#pragma once

#include <cstdio>

// Holds back what is printed on standard error through the C library (the game's
// problems, the libraries' chatter, an abort's or a failed assertion's message) in a
// temporary file while it lives, for the tools that keep the game's chatter off the
// terminal. Only the `stderr` stream is swapped, never the descriptor, so what is
// written to descriptor 2 directly (AddressSanitizer's and UBSan's reports, the C
// library's own fatal messages) reaches the terminal as it happens. When the process
// ends while holding, by exit or by a fatal signal left to its default action (abort,
// a crash), everything held is written out first, so a crash never loses its reason.
// One hold at a time: a second, made while one holds, holds nothing.
class stderrHold {
public:
    stderrHold();
    // Puts standard error back, dropping what was held.
    ~stderrHold();
    stderrHold(const stderrHold&) = delete;
    stderrHold& operator=(const stderrHold&) = delete;

    bool holding() const { return held_ != nullptr; }
    // Puts standard error back and hands over what was held, rewound, for the caller to
    // read and close; null when nothing was held.
    FILE* release();

private:
    FILE* held_ = nullptr;     // the temporary file standing in for stderr; owned
    FILE* original_ = nullptr; // the stream stderr was, put back on release
};
