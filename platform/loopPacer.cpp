#include "platform/loopPacer.h"

#include <algorithm>
#include <cstdio>

#include "platform/gameClock.h"

void loopPacer::waitForClock() {
    Uint32 since = SDL_GetTicks();
    while (started_ && gameTicks() == lastClock_ && SDL_GetTicks() - since < kLongestWaitMs)
        SDL_Delay(1);
    lastClock_ = gameTicks();
}

bool loopPacer::presentDue() {
    Uint32 now = SDL_GetTicks();
    if (started_ && now - lastPresent_ < kPresentEveryMs)
        return false;
    lastPresent_ = now;
    return true;
}

void loopPacer::passRan(Uint32 startMs, Uint32 endMs, bool presented) {
    presents_ += presented ? 1 : 0;
    if (!started_)
        firstStart_ = startMs;
    else
        longestGap_ = std::max(longestGap_, startMs - lastStart_);
    started_ = true;
    lastStart_ = startMs;
    longestPass_ = std::max(longestPass_, endMs - startMs);
    ++passes_;
}

void loopPacer::printFigures() const {
    printf("loop: %ld passes in %u ms, %ld presents, longest pass %u ms, longest gap between "
           "passes %u ms\n",
           passes_, lastStart_ - firstStart_, presents_, longestPass_, longestGap_);
}
