#include "platform/screenPresenter.h"

#include <algorithm>

screenPresenter* screenPresenter::attached_ = nullptr;

namespace {

long area(const SDL_Rect& r) {
    return static_cast<long>(r.w) * r.h;
}

SDL_Rect bounding(const SDL_Rect& a, const SDL_Rect& b) {
    int left = std::min(a.x, b.x);
    int top = std::min(a.y, b.y);
    int right = std::max(a.x + a.w, b.x + b.w);
    int bottom = std::max(a.y + a.h, b.y + b.h);
    SDL_Rect r;
    r.x = static_cast<Sint16>(left);
    r.y = static_cast<Sint16>(top);
    r.w = static_cast<Uint16>(right - left);
    r.h = static_cast<Uint16>(bottom - top);
    return r;
}

bool overlap(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// More rectangles than this cost more in SDL's per-rectangle work than a flip saves.
constexpr size_t kMostRects = 64;

} // namespace

screenPresenter::~screenPresenter() {
    detach();
    if (shadow_)
        SDL_FreeSurface(shadow_);
}

void screenPresenter::attach(SDL_Surface* target) {
    screen_ = target;
    attached_ = this;
    wholeScreen_ = true;
    rects_.clear();
    if (shadow_) {
        keepShadow(false);
        keepShadow(true);
    }
}

void screenPresenter::detach() {
    if (attached_ == this)
        attached_ = nullptr;
}

void screenPresenter::noteDraw(SDL_Surface* target, int x, int y, int w, int h) {
    if (attached_ && target && target == attached_->screen_)
        attached_->note(x, y, w, h);
}

void screenPresenter::note(int x, int y, int w, int h) {
    if (!screen_ || wholeScreen_)
        return;
    long left = std::max(x, 0);
    long top = std::max(y, 0);
    long right = std::min(static_cast<long>(x) + w, static_cast<long>(screen_->w));
    long bottom = std::min(static_cast<long>(y) + h, static_cast<long>(screen_->h));
    if (right <= left || bottom <= top)
        return;
    SDL_Rect r;
    r.x = static_cast<Sint16>(left);
    r.y = static_cast<Sint16>(top);
    r.w = static_cast<Uint16>(right - left);
    r.h = static_cast<Uint16>(bottom - top);
    rects_.push_back(r);
}

bool screenPresenter::touched(size_t from, size_t to, const SDL_Rect& r) const {
    if (wholeScreen_)
        return true;
    for (size_t i = from; i < to && i < rects_.size(); ++i)
        if (overlap(rects_[i], r))
            return true;
    return false;
}

void screenPresenter::merge() {
    // An object's old and new places mostly overlap, and the fighters often stand
    // together: one rectangle for both is cheaper than two as long as it adds little
    // area that did not change.
    bool merged = true;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < rects_.size() && !merged; ++i)
            for (size_t j = i + 1; j < rects_.size() && !merged; ++j) {
                SDL_Rect u = bounding(rects_[i], rects_[j]);
                if (overlap(rects_[i], rects_[j]) || area(u) <= area(rects_[i]) + area(rects_[j])) {
                    rects_[i] = u;
                    rects_.erase(rects_.begin() + static_cast<long>(j));
                    merged = true;
                }
            }
    }
}

const std::vector<SDL_Rect>& screenPresenter::pending() {
    merge();
    return rects_;
}

void screenPresenter::copyToShadow(const SDL_Rect& r) {
    if (!shadow_)
        return;
    SDL_Rect source = r;
    SDL_Rect dest = r;
    SDL_BlitSurface(screen_, &source, shadow_, &dest);
}

void screenPresenter::present() {
    if (!screen_ || held_)
        return;
    merge();
    long total = 0;
    for (const SDL_Rect& r : rects_)
        total += area(r);
    // A hardware or double-buffered screen holds a picture that is not the one drawn
    // on, so only a flip shows it whole.
    bool full = presentAll || wholeScreen_ || (screen_->flags & (SDL_HWSURFACE | SDL_DOUBLEBUF)) ||
                rects_.size() > kMostRects || total >= area(screen_->clip_rect);
    if (full) {
        SDL_Flip(screen_);
        SDL_Rect all = {0, 0, static_cast<Uint16>(screen_->w), static_cast<Uint16>(screen_->h)};
        copyToShadow(all);
        lastRectCount = 1;
        lastPresentedArea = area(all);
    } else {
        if (!rects_.empty())
            SDL_UpdateRects(screen_, static_cast<int>(rects_.size()), rects_.data());
        for (const SDL_Rect& r : rects_)
            copyToShadow(r);
        lastRectCount = static_cast<int>(rects_.size());
        lastPresentedArea = total;
    }
    lastWasFull = full;
    wholeScreen_ = false;
    rects_.clear();
}

void screenPresenter::keepShadow(bool on) {
    if (!on) {
        if (shadow_)
            SDL_FreeSurface(shadow_);
        shadow_ = nullptr;
        return;
    }
    if (shadow_ || !screen_)
        return;
    SDL_PixelFormat* f = screen_->format;
    shadow_ = SDL_CreateRGBSurface(SDL_SWSURFACE, screen_->w, screen_->h, f->BitsPerPixel, f->Rmask,
                                   f->Gmask, f->Bmask, f->Amask);
    // Until the first present the window shows nothing the game drew.
    if (shadow_)
        SDL_FillRect(shadow_, nullptr, 0);
    wholeScreen_ = true;
}
