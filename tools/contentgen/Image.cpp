#include "tools/contentgen/Image.h"

#include <cstddef>

namespace contentgen {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Image::set(int x, int y, Rgb c) {
    if (contains(x, y))
        pixels_[index(x, y)] = c;
}

void Image::fillRect(int x, int y, int w, int h, Rgb c) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            set(xx, yy, c);
}

void Image::strokeRect(int left, int top, int right, int bottom, Rgb c) {
    for (int x = left; x <= right; ++x) {
        set(x, top, c);
        set(x, bottom, c);
    }
    for (int y = top; y <= bottom; ++y) {
        set(left, y, c);
        set(right, y, c);
    }
}

void Image::blitKeyed(const Image& src, int x, int y, Rgb key) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx) {
            Rgb c = src.at(sx, sy);
            if (c != key)
                set(x + sx, y + sy, c);
        }
}

Image Image::mirrored() const {
    Image out(width_, height_, Rgb{});
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.set(width_ - 1 - x, y, at(x, y));
    return out;
}

bool Image::allPixelsEqual(Rgb c) const {
    for (Rgb p : pixels_)
        if (p != c)
            return false;
    return true;
}

} // namespace contentgen
