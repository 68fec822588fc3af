#include "match/damageTrail.h"

void damageTrail::follow(int hitPoints, Uint32 now) {
    if (hp_ >= 0 && hitPoints < hp_) {
        from_ = top(now);
        since_ = now;
    } else if (hitPoints > hp_) {
        from_ = hitPoints;
    }
    hp_ = hitPoints;
}

int damageTrail::top(Uint32 now) const {
    if (hp_ < 0 || from_ <= hp_)
        return hp_ < 0 ? 0 : hp_;
    Uint32 gone = (now - since_) / kStepMs * kStepMs;
    if (gone >= kShrinkMs)
        return hp_;
    long span = from_ - hp_;
    return hp_ + static_cast<int>(span - span * static_cast<long>(gone) / kShrinkMs);
}

std::string damageTrail::valuesText() const {
    return std::to_string(hp_) + " " + std::to_string(from_) + " " + std::to_string(since_);
}
