#pragma once

#include "collision/colBox.h"

// Whether two axis-aligned boxes touch: they do when a corner of either lies inside
// or on the edge of the other. Boxes that only share an edge or a corner touch; two
// boxes crossed like a plus sign, with no corner inside the other, do not. Callers
// build one on the spot per test; it keeps no history.
class SquareCollider {
public:
    colBox boxA; // first box given
    colBox boxB; // second box given

    SquareCollider(colBox a, colBox b);
    void updateSquares(colBox a, colBox b);
    // Whether (x, y) lies in the box, bounds included.
    bool pointCollide(colBox box, int x, int y) const;
    // Whether any corner of b lies in a, tested top-left, top-right, bottom-right,
    // bottom-left.
    bool indiCollide(colBox a, colBox b) const;
    // The corners of boxB against boxA, then those of boxA against boxB.
    bool collisionCheck() const;
};
