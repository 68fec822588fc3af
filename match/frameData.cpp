#include "match/frameData.h"

#include <cmath>

#include "ai/moveFacts.h"
#include "moves/moveSet.h"
#include "sprite/frameInfo.h"

namespace {

constexpr int kStepMs = 11; // a fight step

// How long the fight shows a frame: its scaled delay, and the millisecond after it in
// which it changes (the sprite's own timing).
int shownMs(const frameInfo& f, float speed) {
    return static_cast<int>(std::floor(static_cast<float>(f.delay) * speed)) + 1;
}

} // namespace

int stepsFor(int ms) {
    return ms <= 0 ? 0 : (ms + kStepMs - 1) / kStepMs;
}

frameData frameDataOf(const moveInfo& move, float speed) {
    // Which frames strike is the computer's reading; the times are the fight's own.
    moveFacts facts = factsOf(move, speed);
    frameData d;
    d.name = move.name;
    d.attack = facts.attack;
    int at = 0;         // ms from the move's start to the frame's
    int activeFrom = 0; // when the first active frame shows
    int activeTo = 0;   // when the last one ends
    const std::vector<frameInfo>& frames = move.sheet.frames;
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        const frameInfo& f = frames[static_cast<size_t>(i)];
        int ms = shownMs(f, speed);
        if (i == facts.firstActive)
            activeFrom = at;
        if (i == facts.lastActive)
            activeTo = at + ms;
        // A hurting frame takes its damage on every step it is on the body: the most a
        // move can take is each frame's damage for each step it shows.
        if (f.damage > 0 && f.dBox.left <= f.dBox.right)
            d.damage += f.damage * (stepsFor(at + ms) - stepsFor(at));
        at += ms;
    }
    int total = stepsFor(at);
    if (!facts.attack) {
        d.recovery = total;
        return d;
    }
    // Counted on the step grid, so the three add up to the move's whole length.
    d.startup = stepsFor(activeFrom);
    d.active = stepsFor(activeTo) - d.startup;
    d.recovery = total - stepsFor(activeTo);
    return d;
}
