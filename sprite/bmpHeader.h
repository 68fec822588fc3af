#pragma once

#include <string>

#include "SDL.h"

// A look at a BMP's header before SDL decodes it. SDL allocates the whole surface the
// header asks for before it reads a pixel, so a damaged or hostile header claiming
// tens of thousands of pixels a side takes gigabytes for a file of a few bytes.
namespace bmpheader {

// Largest width or height a frame image may claim; frames are a few hundred pixels.
constexpr long long kMaxSide = 4096;

// True when the BMP read from `rw` (at its current position) has whole headers, claims
// at most kMaxSide pixels a side and, uncompressed, its file holds the pixel rows the
// header claims.
// Otherwise false, with `why` saying what the header claims. The stream is left where
// it was. Data that is not a BMP passes: SDL rejects it itself.
bool sizeFits(SDL_RWops* rw, std::string& why);
// SDL_LoadBMP_RW(rw, 1) for a BMP that sizeFits; otherwise closes `rw`, sets SDL's
// error to the reason and returns null, as SDL does for a BMP it cannot read.
SDL_Surface* loadBounded(SDL_RWops* rw);

} // namespace bmpheader
