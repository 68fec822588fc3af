#include "platform/manualClock.h"

#include "platform/gameClock.h"

ManualClock::ManualClock(Uint32 startMs) : nowMs(startMs) {
    setGameClock([this] { return nowMs; });
}

ManualClock::~ManualClock() {
    setGameClock({});
}

void ManualClock::set(Uint32 ms) {
    nowMs = ms;
}

void ManualClock::advance(Uint32 ms) {
    nowMs += ms;
}
