#include "tools/contentgen/BmpEncoder.h"

#include "tools/contentgen/ByteWriter.h"

namespace contentgen {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835; // 72 dpi, what most tools write

uint32_t rowStride(int width) {
    return (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
}

} // namespace

std::vector<uint8_t> BmpEncoder::encode(const Image& image) {
    const uint32_t stride = rowStride(image.width());
    const uint32_t pixelBytes = stride * static_cast<uint32_t>(image.height());
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    ByteWriter out;
    out.tag("BM");
    out.u32(offset + pixelBytes);
    out.u32(0); // two reserved words
    out.u32(offset);
    out.u32(kInfoHeaderSize);
    out.i32(image.width());
    out.i32(image.height()); // positive height: rows stored bottom-up
    out.u16(1);              // planes
    out.u16(24);             // bits per pixel
    out.u32(0);              // BI_RGB
    out.u32(pixelBytes);
    out.u32(kPixelsPerMetre);
    out.u32(kPixelsPerMetre);
    out.u32(0); // colours used
    out.u32(0); // important colours
    const uint32_t padding = stride - static_cast<uint32_t>(image.width()) * 3;
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            Rgb c = image.at(x, y);
            out.u8(c.b);
            out.u8(c.g);
            out.u8(c.r);
        }
        for (uint32_t i = 0; i < padding; ++i)
            out.u8(0);
    }
    return out.take();
}

} // namespace contentgen
