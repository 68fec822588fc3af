#pragma once

#include "SDL.h"

// Keeps the real game's loop from holding a processor core. Everything in the game moves
// with the millisecond game clock, so a second pass within the same millisecond would
// draw the same picture: the loop sleeps until the clock has moved on. And a display
// shows at most about sixty pictures a second, so the changed rectangles of several passes
// are gathered and presented together. Pacing follows real time (the display's), which
// goes on while the game's clock stands still in a pause.
class loopPacer {
public:
    static constexpr Uint32 kPresentEveryMs = 16; // about a display's refresh
    static constexpr Uint32 kLongestWaitMs = 8;   // a paused clock still gets its keys read

    // Sleeps until the game clock reads past the last pass's reading, or for the longest
    // wait when it does not move.
    void waitForClock();
    // Whether the pass about to run should present: true when the last present is at
    // least kPresentEveryMs old, and for the first pass.
    bool presentDue();
    // The pass that just ran: its start and end in real ms and whether it presented, for
    // the figures.
    void passRan(Uint32 startMs, Uint32 endMs, bool presented);
    // One line of figures for a measurement: passes, presents, the longest pass and the
    // longest time between the starts of two passes.
    void printFigures() const;

private:
    bool started_ = false;
    Uint32 lastClock_ = 0;   // game clock as the last pass began
    Uint32 lastPresent_ = 0; // real ms of the last present
    Uint32 firstStart_ = 0;
    Uint32 lastStart_ = 0;
    long passes_ = 0;
    long presents_ = 0;
    Uint32 longestPass_ = 0;
    Uint32 longestGap_ = 0;
};
