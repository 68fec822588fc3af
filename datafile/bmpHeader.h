#pragma once

#include <cstddef>
#include <string>

#include "SDL.h"
#include "datafile/frameLimits.h"

// A look at a BMP's header before SDL decodes it. SDL allocates the whole surface the
// header asks for before it reads a pixel, so a damaged or hostile header claiming
// tens of thousands of pixels a side takes gigabytes for a file of a few bytes.
namespace bmpheader {

// Largest width or height a frame image may claim; frames are a few hundred pixels.
constexpr long long kMaxSide = kMaxFrameSide;

// The width and height the header claims, from the first bytes of the file (the file
// header and the start of the info header, 26 bytes are enough); false when the bytes
// do not start a BMP header. A negative height (rows stored top-down) is given as its
// size; the old OS/2 header's sides are unsigned 16-bit, as SDL reads them.
bool claimedSize(const unsigned char* data, std::size_t size, long long* w, long long* h);

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
