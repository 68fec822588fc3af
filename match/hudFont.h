#pragma once

#include <string>

#include "SDL.h"

#include "sprite/CSpriteBase.h"

class loadReport;

// Text drawn from a sprite sheet whose frames are glyphs: each frame's label is the
// character it shows. Text is drawn in capitals; a space, or a character the sheet has
// no glyph for, leaves a glyph-wide gap. Glyphs are taken to be one size, the first's.
class hudFont {
public:
    // Reads the sheet in `folder`, its problems recorded in `report`; false when it cannot
    // be read or has no glyph.
    bool load(const std::string& folder, loadReport* report);
    bool ready() const { return cellW_ > 0; }
    // Whether the sheet has a glyph for every character of `chars`.
    bool covers(const std::string& chars) const;
    int glyphWidth() const { return cellW_; }
    int height() const { return cellH_; }
    int width(const std::string& text) const { return cellW_ * static_cast<int>(text.size()); }
    // Draws `text` with its top-left corner at (x, y) and tells the presenter; returns
    // the rectangle it covers (empty for no text or no glyphs).
    SDL_Rect draw(SDL_Surface* screen, const std::string& text, int x, int y) const;

private:
    CSpriteBase sheet_; // the glyphs, owned
    int glyph_[128];    // frame of each character, -1 for none
    int cellW_ = 0;     // pixels a glyph takes across
    int cellH_ = 0;     // pixels a glyph takes down
};
