#include "ai/moveFacts.h"

#include <algorithm>

#include "moves/moveSet.h"

namespace {

constexpr int kStepMs = 11; // a movement step, during which a frame's moveX is walked once

int frameMs(const frameInfo& f, float speed) {
    return static_cast<int>(static_cast<float>(f.delay) * speed);
}

} // namespace

moveFacts factsOf(const moveInfo& move, float speed) {
    moveFacts m;
    m.special = specialCommand(move.command);
    m.airOnly = move.condition == "ground = false";
    m.groundOnly = move.condition == "ground = true";
    m.height = move.height;
    int at = 0;       // ms from the start to the frame's start
    int travel = 0;   // pixels walked forward by the frames so far
    bool low = false; // the lowest point is set
    const std::vector<frameInfo>& frames = move.sheet.frames;
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        const frameInfo& f = frames[static_cast<size_t>(i)];
        int ms = frameMs(f, speed);
        bool hurts = f.damage > 0 && f.dBox.left <= f.dBox.right;
        if (hurts || f.particleCount > 0) {
            if (m.firstActive < 0) {
                m.firstActive = i;
                m.startupMs = at;
            }
            m.lastActive = i;
            m.activeEndMs = at + ms;
        }
        if (f.particleCount > 0)
            m.projectile = true;
        if (hurts) {
            m.damage += f.damage;
            m.reach = std::max(m.reach, travel + f.dBox.right - f.anchorX);
            m.top = std::max(m.top, f.anchorY - f.dBox.top);
            int up = f.anchorY - f.dBox.bottom;
            m.bottom = low ? std::min(m.bottom, up) : up;
            low = true;
        }
        travel += f.moveX * std::max(1, ms / kStepMs);
        at += ms;
    }
    m.totalMs = at;
    m.attack = m.firstActive >= 0;
    return m;
}

int msLeftFrom(const moveInfo& move, int frame, float speed) {
    int left = 0;
    const std::vector<frameInfo>& frames = move.sheet.frames;
    for (size_t i = static_cast<size_t>(std::max(0, frame)); i < frames.size(); ++i)
        left += frameMs(frames[i], speed);
    return left;
}
