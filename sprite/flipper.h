#pragma once

#include <cstdint>

#include "SDL.h"

// Pixel helpers for 32-bit surfaces, used to build the mirrored frames.
uint32_t get_pixel32(SDL_Surface* surface, int x, int y);
void put_pixel32(SDL_Surface* surface, int x, int y, uint32_t pixel);
// A new software surface holding `surface` mirrored left-right, colour key kept.
// The caller owns it.
SDL_Surface* flip_surface(SDL_Surface* surface);
