#include "datafile/bmpHeader.h"

#include <cstdint>
#include <cstdlib>

namespace bmpheader {

namespace {

// Offsets in the file header (14 bytes) and the info header that follows it.
constexpr int kPixelOffset = 10;
constexpr int kInfoSize = 14;
constexpr int kWidth = 18;
constexpr int kOs2Height = 20;
constexpr int kOs2Bits = 24;
constexpr int kHeight = 22;
constexpr int kBits = 28;
constexpr int kCompression = 30;
constexpr int kHeaderBytes = 34; // everything read above
// Bytes of the file header and the smallest info header: OS/2's, and Windows' others.
constexpr long long kOs2HeadersBytes = 14 + 12;
constexpr long long kHeadersBytes = 14 + 40;
constexpr uint32_t kOs2InfoSize = 12;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;

uint32_t u16(const unsigned char* b) {
    return b[0] | (b[1] << 8);
}

uint32_t u32(const unsigned char* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

std::string claimed(long long width, long long height) {
    return "the BMP header claims " + std::to_string(width) + "x" + std::to_string(height) +
           " pixels";
}

// Bytes the pixel rows of an uncompressed image take at least: every row padded to 4
// bytes but the last, which needs only its pixels.
long long pixelBytes(long long width, long long height, long long bits) {
    long long row = (width * bits + 31) / 32 * 4;
    return row * (height - 1) + (width * bits + 7) / 8;
}

} // namespace

bool claimedSize(const unsigned char* data, std::size_t size, long long* w, long long* h) {
    if (size < static_cast<std::size_t>(kWidth) || data[0] != 'B' || data[1] != 'M')
        return false;
    uint32_t infoSize = u32(data + kInfoSize);
    if (infoSize == kOs2InfoSize) {
        if (size < static_cast<std::size_t>(kOs2Height + 2))
            return false;
        *w = u16(data + kWidth);
        *h = u16(data + kOs2Height);
        return true;
    }
    if (infoSize < 16 || size < static_cast<std::size_t>(kHeight + 4))
        return false;
    *w = static_cast<int32_t>(u32(data + kWidth));
    *h = std::llabs(static_cast<long long>(static_cast<int32_t>(u32(data + kHeight))));
    return true;
}

bool sizeFits(SDL_RWops* rw, std::string& why) {
    long long start = SDL_RWtell(rw);
    long long end = SDL_RWseek(rw, 0, RW_SEEK_END);
    unsigned char h[kHeaderBytes] = {};
    SDL_RWseek(rw, start, RW_SEEK_SET);
    int got = SDL_RWread(rw, h, 1, kHeaderBytes);
    SDL_RWseek(rw, start, RW_SEEK_SET);
    if (start < 0 || end < start || got < 2 || h[0] != 'B' || h[1] != 'M')
        return true;
    // SDL reads a header cut short as if the missing bytes were there, and may then
    // believe any size; no whole BMP is shorter than its headers.
    long long fileBytes = end - start;
    bool os2 = got >= kWidth && u32(h + kInfoSize) == kOs2InfoSize;
    if (fileBytes < (os2 ? kOs2HeadersBytes : kHeadersBytes)) {
        why = "the BMP header is cut short: the file has " + std::to_string(fileBytes) + " bytes";
        return false;
    }

    uint32_t infoSize = u32(h + kInfoSize);
    long long width = 0;
    long long height = 0;
    if (!claimedSize(h, static_cast<std::size_t>(got), &width, &height))
        return true; // not a header SDL knows: it rejects it itself
    if (width > kMaxSide || height > kMaxSide) {
        why = claimed(width, height) + ", more than " + std::to_string(kMaxSide) + " pixels a side";
        return false;
    }
    long long bits = u16(h + (os2 ? kOs2Bits : kBits));
    uint32_t compression = os2 ? kUncompressed : u32(h + kCompression);
    bool plain = compression == kUncompressed || compression == kBitFields;
    bool knownBits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!plain || !knownBits || width <= 0 || height <= 0)
        return true; // compressed or malformed: SDL decides
    long long dataStart = u32(h + kPixelOffset);
    if (dataStart == 0)
        dataStart = 14 + static_cast<long long>(infoSize);
    if (dataStart + pixelBytes(width, height, bits) > fileBytes) {
        why =
            claimed(width, height) + ", more than its " + std::to_string(fileBytes) + " bytes hold";
        return false;
    }
    return true;
}

SDL_Surface* loadBounded(SDL_RWops* rw) {
    if (!rw)
        return nullptr;
    std::string why;
    if (!sizeFits(rw, why)) {
        SDL_RWclose(rw);
        SDL_SetError("%s", why.c_str());
        return nullptr;
    }
    return SDL_LoadBMP_RW(rw, 1);
}

} // namespace bmpheader
