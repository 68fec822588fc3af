#pragma once

#include <cstdint>
#include <vector>

#include "tools/contentgen/Image.h"

namespace contentgen {

// Writes an Image as an uncompressed 24-bit Windows bitmap (BITMAPINFOHEADER, BI_RGB,
// rows bottom-up, each padded to a multiple of four bytes): the plainest form that
// SDL_LoadBMP reads.
class BmpEncoder {
public:
    static std::vector<uint8_t> encode(const Image& image);
};

} // namespace contentgen
