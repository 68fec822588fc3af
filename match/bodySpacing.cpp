#include "match/bodySpacing.h"

#include <algorithm>

#include "fighter/fighter.h"

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
