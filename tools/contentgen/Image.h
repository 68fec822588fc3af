#pragma once

#include <vector>

#include "tools/contentgen/Rgb.h"

namespace contentgen {

// A 24-bit picture held in memory, top row first. Drawing outside it is ignored, so
// painters never need to clip.
class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb c);

    void fillRect(int x, int y, int w, int h, Rgb c);
    // Outline of the inclusive box (left, top)-(right, bottom), one pixel wide.
    void strokeRect(int left, int top, int right, int bottom, Rgb c);
    // Copies src with its top-left at (x, y), skipping pixels equal to key.
    void blitKeyed(const Image& src, int x, int y, Rgb key);
    // The picture flipped left to right, as the engine mirrors a frame.
    Image mirrored() const;
    bool allPixelsEqual(Rgb c) const;

private:
    int index(int x, int y) const { return y * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

} // namespace contentgen
