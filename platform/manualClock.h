#pragma once

#include "SDL.h"

// A game clock that only moves when told to, for tests and tools that drive the game
// through time themselves. It is installed while it lives and SDL's tick count comes
// back when it is destroyed; only one may live at a time.
class ManualClock {
public:
    explicit ManualClock(Uint32 startMs = 0);
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    void set(Uint32 ms);
    void advance(Uint32 ms);
    Uint32 now() const { return nowMs; }

private:
    Uint32 nowMs; // the time the game sees, milliseconds
};
