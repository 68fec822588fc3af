#pragma once

#include "platform/stderrHold.h"

// Sends standard output to /dev/null and holds standard error back while it lives, and
// puts them back, dropping what was held, when it goes: the loaders trace every step,
// and the checker's own lines must stand alone. An abort or crash on the way still
// prints what was held, and a sanitizer's report is never held (see stderrHold).
// Standard output is flushed at each switch so nothing lands on the wrong side.
class quietStreams {
public:
    quietStreams();
    ~quietStreams();
    quietStreams(const quietStreams&) = delete;
    quietStreams& operator=(const quietStreams&) = delete;

private:
    int savedOut_ = -1; // duplicate of the caller's standard output, -1 when none
    stderrHold err_;    // standard error while quiet
};
