#pragma once

#include <string>

#include "tools/contentgen/Image.h"

namespace contentgen {

// A 5x7 capitals-only pixel font for labelling the contact sheet; lower-case letters
// are drawn as capitals.
class BitmapFont {
public:
    static constexpr int kGlyphWidth = 5;
    static constexpr int kGlyphHeight = 7;

    // Draws text with its top-left at (x, y), each font pixel scale x scale; returns
    // the width drawn.
    static int draw(Image& img, int x, int y, const std::string& text, Rgb colour, int scale);
    static int width(const std::string& text, int scale);
};

} // namespace contentgen
