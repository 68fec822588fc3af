#include "sprite/frameLimits.h"

#include <cstdint>
#include <cstdio>

namespace {

// Little-endian fields of the BMP headers.
long long readLE(const unsigned char* p, int bytes, bool isSigned) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    if (!isSigned)
        return v;
    if (bytes == 2)
        return static_cast<int16_t>(v);
    return static_cast<int32_t>(v);
}

// "BM", then the file header (14 bytes) and the size of the info header that follows.
constexpr size_t kFileHeader = 14;
constexpr size_t kCoreHeader = 12; // the old OS/2 header: 16-bit width and height

} // namespace

std::string frameSizeProblem(long long w, long long h) {
    if (w >= 1 && h >= 1 && w <= kMaxFrameSide && h <= kMaxFrameSide)
        return std::string();
    return "is " + std::to_string(w) + "x" + std::to_string(h) + " pixels; a frame must be 1 to " +
           std::to_string(kMaxFrameSide) + " pixels wide and high";
}

bool bmpHeaderSize(const unsigned char* data, size_t size, long long* w, long long* h) {
    if (size < kFileHeader + 4 || data[0] != 'B' || data[1] != 'M')
        return false;
    long long infoSize = readLE(data + kFileHeader, 4, false);
    const unsigned char* info = data + kFileHeader;
    if (infoSize == static_cast<long long>(kCoreHeader) && size >= kFileHeader + kCoreHeader) {
        *w = readLE(info + 4, 2, false);
        *h = readLE(info + 6, 2, false);
        return true;
    }
    if (infoSize < 16 || size < kFileHeader + 12)
        return false;
    *w = readLE(info + 4, 4, true);
    long long height = readLE(info + 8, 4, true);
    *h = height < 0 ? -height : height;
    return true;
}

std::string bmpFileSizeProblem(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return std::string();
    unsigned char head[kFileHeader + kCoreHeader];
    size_t got = fread(head, 1, sizeof head, f);
    fclose(f);
    long long w = 0;
    long long h = 0;
    if (!bmpHeaderSize(head, got, &w, &h))
        return std::string();
    return frameSizeProblem(w, h);
}
