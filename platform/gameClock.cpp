#include "platform/gameClock.h"

#include <utility>

namespace {

std::function<Uint32()>& installedSource() {
    static std::function<Uint32()> source;
    return source;
}

// Time held back by pauses, and whether (and where) the clock stands now.
struct pauseState {
    Uint32 heldBack = 0;
    bool stopped = false;
    Uint32 stoppedAt = 0;
};

pauseState& pauses() {
    static pauseState state;
    return state;
}

Uint32 sourceTicks() {
    const std::function<Uint32()>& source = installedSource();
    return source ? source() : SDL_GetTicks();
}

struct pinState {
    bool pinned = false;
    Uint32 at = 0;
};

pinState& pin() {
    static pinState state;
    return state;
}

} // namespace

Uint32 unpinnedTicks() {
    const pauseState& p = pauses();
    return p.stopped ? p.stoppedAt : sourceTicks() - p.heldBack;
}

Uint32 gameTicks() {
    const pinState& held = pin();
    return held.pinned ? held.at : unpinnedTicks();
}

void pinGameClock(Uint32 ms) {
    pin() = pinState{true, ms};
}

void unpinGameClock() {
    pin() = pinState{};
}

void setGameClock(std::function<Uint32()> source) {
    installedSource() = std::move(source);
    pauses() = pauseState{};
}

void pauseGameClock(bool paused) {
    pauseState& p = pauses();
    if (paused == p.stopped)
        return;
    if (paused)
        p.stoppedAt = unpinnedTicks();
    else
        p.heldBack = sourceTicks() - p.stoppedAt;
    p.stopped = paused;
}
