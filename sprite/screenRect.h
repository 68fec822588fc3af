#pragma once

#include "SDL.h"

// An SDL rectangle from int coordinates. SDL keeps positions in 16 bits and sizes
// unsigned; clamp instead of wrapping, so a far off-screen position stays off screen
// and a negative size draws nothing.
SDL_Rect screenRect(int x, int y, int w = 0, int h = 0);
