#include "match/bodySpacing.h"

#include <algorithm>

#include "fighter/fighter.h"
#include "sprite/CSpriteBase.h"

namespace {

constexpr int kScreenRight = boundaryXRight - 1; // last pixel column of the screen

bool holdsPoints(const colBox& b) {
    return b.left <= b.right && b.top <= b.bottom;
}

} // namespace

void keepOnScreen(Fighter& f) {
    colBox body = f.getCBox();
    if (!holdsPoints(body))
        return;
    if (body.left < boundaryXLeft)
        f.x += boundaryXLeft - body.left;
    else if (body.right > kScreenRight)
        f.x -= body.right - kScreenRight;
}

void keepApart(Fighter& a, Fighter& b) {
    keepOnScreen(a);
    keepOnScreen(b);
    if (!a.onGround || !b.onGround)
        return;
    colBox ba = a.getCBox();
    colBox bb = b.getCBox();
    if (!holdsPoints(ba) || !holdsPoints(bb))
        return;
    int overlap = std::min(ba.right, bb.right) - std::max(ba.left, bb.left) + 1;
    if (overlap <= kBodyOverlap)
        return;
    int push = overlap - kBodyOverlap;
    bool aLeft = ba.left + ba.right <= bb.left + bb.right;
    Fighter& left = aLeft ? a : b;
    Fighter& right = aLeft ? b : a;
    int leftX = left.x;
    left.x -= push / 2;
    keepOnScreen(left);
    // Whatever the left one could not take (a screen edge), the right one takes.
    right.x += push - (leftX - left.x);
    keepOnScreen(right);
    // And what the right one could not take goes back to the left one.
    colBox nl = left.getCBox();
    colBox nr = right.getCBox();
    int still = std::min(nl.right, nr.right) - std::max(nl.left, nr.left) + 1;
    if (still > kBodyOverlap)
        left.x -= still - kBodyOverlap;
    keepOnScreen(left);
}

void makeRoomForTheFallen(Fighter& fallen, const CSpriteBase& lying, Fighter* standing) {
    if (lying.frameCount <= 0)
        return;
    // The frame's reach around the anchor, mirrored when facing left.
    int back = fallen.facingRight ? lying.extentLeft : lying.extentRight - 1;
    int front = fallen.facingRight ? lying.extentRight - 1 : lying.extentLeft;
    int shift = 0;
    if (fallen.x - back < boundaryXLeft)
        shift = boundaryXLeft - (fallen.x - back);
    else if (fallen.x + front > kScreenRight)
        shift = kScreenRight - (fallen.x + front);
    fallen.x += std::clamp(shift, -kKnockoutSlide, kKnockoutSlide);
    if (!standing)
        return;
    // A little clear of the frame's reach, so a wide pose does not tread on it either.
    int left = fallen.x - back - kKnockoutGap;
    int right = fallen.x + front + kKnockoutGap;
    colBox body = standing->getCBox();
    if (!holdsPoints(body) || body.right < left || body.left > right)
        return;
    // Off the side it stands nearer, unless the stage ends there.
    int toLeft = body.right - left + 1;
    int toRight = right - body.left + 1;
    bool roomLeft = left - (body.right - body.left + 1) >= boundaryXLeft;
    bool roomRight = right + (body.right - body.left + 1) <= kScreenRight;
    bool goLeft = roomLeft && (toLeft <= toRight || !roomRight);
    int step = std::min(kKnockoutSlide, goLeft ? toLeft : toRight);
    standing->x += goLeft ? -step : step;
}
