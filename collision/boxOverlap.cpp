#include "collision/boxOverlap.h"

#include "collision/SquareCollider.h"

bool boxesOverlap(colBox a, colBox b) {
    if (a.left > a.right || a.top > a.bottom || b.left > b.right || b.top > b.bottom)
        return false;
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool boxesTouch(colBox a, colBox b, bool anyOverlap) {
    return anyOverlap ? boxesOverlap(a, b) : SquareCollider(a, b).collisionCheck();
}
