#include "collision/SquareCollider.h"

SquareCollider::SquareCollider(colBox a, colBox b) : boxA(a), boxB(b) {}

void SquareCollider::updateSquares(colBox a, colBox b) {
    boxA = a;
    boxB = b;
}

bool SquareCollider::pointCollide(colBox box, int x, int y) const {
    return box.left <= x && x <= box.right && box.top <= y && y <= box.bottom;
}

bool SquareCollider::indiCollide(colBox a, colBox b) const {
    return pointCollide(a, b.left, b.top) || pointCollide(a, b.right, b.top) ||
           pointCollide(a, b.right, b.bottom) || pointCollide(a, b.left, b.bottom);
}

bool SquareCollider::collisionCheck() const {
    return indiCollide(boxA, boxB) || indiCollide(boxB, boxA);
}
