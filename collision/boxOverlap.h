#pragma once

#include "collision/colBox.h"

// Whether two boxes share a point: any overlap counts, a plus-sign crossing with no
// corner of either inside the other included. A box holding no point touches nothing.
// The match's contact test; the classic game keeps SquareCollider's corner test.
bool boxesOverlap(colBox a, colBox b);

// The contact test a fight uses: any overlap when `anyOverlap`, else the corner test.
bool boxesTouch(colBox a, colBox b, bool anyOverlap);
