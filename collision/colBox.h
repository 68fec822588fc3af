#pragma once

#include <cstdint>

// An axis-aligned box in pixels (image pixels inside a frame, screen pixels when a
// sprite or fighter hands one out). Bounds are inclusive; a box whose left exceeds
// its right, or top its bottom, holds no point.
struct colBox {
    int32_t left = 0;   // smallest x inside
    int32_t top = 0;    // smallest y inside (y grows downwards)
    int32_t right = 0;  // largest x inside
    int32_t bottom = 0; // largest y inside
};
