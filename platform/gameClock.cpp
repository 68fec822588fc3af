#include "platform/gameClock.h"

#include <utility>

namespace {

std::function<Uint32()>& installedSource() {
    static std::function<Uint32()> source;
    return source;
}

} // namespace

Uint32 gameTicks() {
    const std::function<Uint32()>& source = installedSource();
    return source ? source() : SDL_GetTicks();
}

void setGameClock(std::function<Uint32()> source) {
    installedSource() = std::move(source);
}
