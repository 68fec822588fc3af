#include "match/hudFont.h"

#include <cctype>

#include "platform/screenPresenter.h"

namespace {

int glyphIndex(char c) {
    unsigned char u = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
    return u < 128 ? u : -1;
}

} // namespace

bool hudFont::load(const std::string& folder, loadReport* report) {
    for (int& g : glyph_)
        g = -1;
    cellW_ = cellH_ = 0;
    if (sheet_.init(folder, report) != 0)
        return false;
    for (int i = 0; i < sheet_.frameCount; ++i) {
        const frameInfo* f = sheet_.frameAt(i, true);
        if (!f || !f->image || f->label.size() != 1)
            continue;
        int at = glyphIndex(f->label[0]);
        if (at < 0 || glyph_[at] >= 0)
            continue;
        glyph_[at] = i;
        if (cellW_ == 0) {
            cellW_ = f->image->w;
            cellH_ = f->image->h;
        }
    }
    return ready();
}

bool hudFont::covers(const std::string& chars) const {
    for (char c : chars) {
        int at = glyphIndex(c);
        if (at < 0 || glyph_[at] < 0)
            return false;
    }
    return true;
}

SDL_Rect hudFont::draw(SDL_Surface* screen, const std::string& text, int x, int y) const {
    SDL_Rect covered{0, 0, 0, 0};
    if (!ready() || !screen || text.empty())
        return covered;
    int at = x;
    for (char c : text) {
        int g = glyphIndex(c);
        const frameInfo* f = g >= 0 && glyph_[g] >= 0 ? sheet_.frameAt(glyph_[g], true) : nullptr;
        if (f && f->image) {
            SDL_Rect dest{static_cast<Sint16>(at), static_cast<Sint16>(y), 0, 0};
            SDL_BlitSurface(f->image, nullptr, screen, &dest);
        }
        at += cellW_;
    }
    covered = SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y),
                       static_cast<Uint16>(width(text)), static_cast<Uint16>(cellH_)};
    screenPresenter::noteDraw(screen, covered.x, covered.y, covered.w, covered.h);
    return covered;
}
