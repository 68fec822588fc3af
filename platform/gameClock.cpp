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

} // namespace

Uint32 gameTicks() {
    const pauseState& p = pauses();
    return p.stopped ? p.stoppedAt : sourceTicks() - p.heldBack;
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
        p.stoppedAt = gameTicks();
    else
        p.heldBack = sourceTicks() - p.stoppedAt;
    p.stopped = paused;
}
