#include "match/frameData.h"

#include "ai/moveFacts.h"
#include "moves/moveSet.h"
#include "sprite/frameInfo.h"

namespace {

constexpr int kStepMs = 11; // a fight step

} // namespace

int stepsFor(int ms) {
    return ms <= 0 ? 0 : (ms + kStepMs - 1) / kStepMs;
}

frameData frameDataOf(const moveInfo& move, float speed) {
    moveFacts facts = factsOf(move, speed);
    frameData d;
    d.name = move.name;
    d.damage = facts.damage;
    d.attack = facts.attack;
    if (!facts.attack) {
        d.recovery = stepsFor(facts.totalMs);
        return d;
    }
    // Counted on the step grid, so the three add up to the move's whole length.
    int firstOn = stepsFor(facts.startupMs);
    int lastOff = stepsFor(facts.activeEndMs);
    d.startup = firstOn;
    d.active = lastOff - firstOn;
    d.recovery = stepsFor(facts.totalMs) - lastOff;
    // A hurting frame takes its damage on every step it is on the body: the most a
    // move can take is each frame's damage for each step it shows.
    d.damage = 0;
    int at = 0;
    for (const frameInfo& f : move.sheet.frames) {
        int ms = static_cast<int>(static_cast<float>(f.delay) * speed);
        if (f.damage > 0 && f.dBox.left <= f.dBox.right)
            d.damage += f.damage * (stepsFor(at + ms) - stepsFor(at));
        at += ms;
    }
    return d;
}
