#pragma once

#include <optional>

#include "platform/stderrHold.h"

// Keeps the game's trace out of the runner's output while it lives (when `active`):
// standard output goes to /dev/null, and standard error is held back and only its
// "brawler: " lines (the problems the game names) are passed on at the end. When the
// game ends the process on the way (a fatal load error, an abort, a crash), everything
// held back is passed on, so the reason is never lost; a sanitizer's report is never
// held at all.
class TraceMute {
public:
    explicit TraceMute(bool active);
    ~TraceMute();
    TraceMute(const TraceMute&) = delete;
    TraceMute& operator=(const TraceMute&) = delete;

private:
    // Puts both streams back; passes on every held line, or only the "brawler: " ones.
    void restore(bool everything);
    static void atExit();
    static TraceMute* active_; // the mute in force, for the exit handler

    int savedOut_ = -1;             // the real standard output while muted
    std::optional<stderrHold> err_; // standard error's lines while muted
};
