#include "tools/runner/fightSummary.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string formatted(const char* format, double a, double b = 0.0) {
    char buffer[128];
    snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

} // namespace

long FightSummary::memoryGrowthKb(long nowKb) const {
    if (residentKbByMinute.empty())
        return 0;
    long most = nowKb;
    for (long kb : residentKbByMinute)
        most = std::max(most, kb);
    return most - residentKbByMinute.front();
}

std::string FightSummary::format(bool wallClock) const {
    std::string out;
    auto n = [](long v) { return std::to_string(v); };
    out += "script: " + script + "\n";
    out += "seed: " + n(seed) + ", " + n(msPerPass) + " ms per pass\n";
    out += "passes: " + n(passes) + (endedByEscape ? " (ended by Escape)" : "") + "\n";
    out += "virtual time: " + n(virtualMs) + " ms\n";
    if (wallClock) {
        out += formatted("wall time: %.1f ms (start-up %.1f ms)\n", wallMs, startUpMs);
        out += formatted("passes per second: %.0f\n", passesPerSecond);
        out += formatted(noPicture ? "us per step (no picture): median %.1f, p99 %.1f\n"
                                   : "us per pass: median %.0f, p99 %.0f\n",
                         passMedianUs, passP99Us);
        if (!residentKbByMinute.empty()) {
            out += "resident memory at each virtual minute (KB):";
            for (long kb : residentKbByMinute)
                out += " " + n(kb);
            out += "\nmemory growth after the first minute: " + n(memoryGrowthKb()) + " KB\n";
        }
    }
    out += "hit points: player " + n(playerHp) + "/" + n(playerMaxHp) + ", opponent " +
           n(opponentHp) + "/" + n(opponentMaxHp) + "\n";
    out += "particles spawned: " + n(particlesSpawned) + "\n";
    out += "hits landed: " + n(hitsOnOpponent) + " on the opponent, " + n(hitsOnPlayer) +
           " on the player\n";
    out += "hits blocked: " + n(blockedByOpponent) + " by the opponent, " + n(blockedByPlayer) +
           " by the player\n";
    if (!matchResult.empty() && onlineChecksum.empty())
        out += "match: " + matchResult + "\n";
    if (syncSteps >= 0)
        out += "sync test: " + n(syncSteps) + " steps, " + n(syncMismatches) + " mismatches\n";
    out += "expectations: " + n(expectationsHeld) + " held, " + n(expectationsFailed) + " failed\n";
    if (wallClock)
        for (const std::string& line : onlineLines)
            out += "online: " + line + "\n";
    // Online, the summary ends with what both sides must agree on.
    if (!onlineChecksum.empty())
        out += "match: " + matchResult + "\n" + onlineChecksum + "\n";
    return out;
}
