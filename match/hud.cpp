#include "match/hud.h"

#include <sys/stat.h>

#include <algorithm>

#include "datafile/loadReport.h"
#include "datafile/problemReport.h"
#include "platform/screenPresenter.h"

namespace {

constexpr int kScreenW = 800;
constexpr int kBarTop = 30;     // the plates' top edge
constexpr int kBannerTop = 200; // the banner's top edge
constexpr int kGap = 4;         // pixels between neighbouring parts

// Every character the HUD writes: names are the character folders' names.
constexpr const char* kNeeded = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

bool isFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

SDL_Rect rect(int x, int y, int w, int h) {
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y),
                    static_cast<Uint16>(std::max(w, 0)), static_cast<Uint16>(std::max(h, 0))};
}

// Pixels of a bar's inside that `hp` of `maxHp` fill; any life left shows at least one.
int pixelsFor(int hp, int maxHp, int width) {
    if (hp <= 0 || maxHp <= 0)
        return 0;
    int px = static_cast<int>(static_cast<long>(width) * std::min(hp, maxHp) / maxHp);
    return std::max(px, 1);
}

} // namespace

hud::hud() {
    layOut();
}

bool hud::load(const std::string& folder) {
    pictures_ = false;
    // The sheets' own problems are gathered, not printed: the match says one line.
    loadReport report;
    std::string why;
    if (!isFolder(folder)) {
        why = "missing folder";
    } else if (bar_.init(folder + "/bar", &report) != 0 || bar_.frameCount < 3) {
        why = "the life bar (bar) needs 3 frames: plate, fill, damage";
    } else if (marker_.init(folder + "/marker", &report) != 0 || marker_.frameCount < 2) {
        why = "the round marker (marker) needs 2 frames: not won, won";
    } else if (!small_.load(folder + "/font", &report) || !small_.covers(kNeeded)) {
        why = "the small font (font) lacks a glyph for a letter or digit";
    } else if (!big_.load(folder + "/bigfont", &report) || !big_.covers(kNeeded)) {
        why = "the large font (bigfont) lacks a glyph for a letter or digit";
    }
    std::string where = folder;
    for (const loadProblem& p : report.problems())
        if (p.error) {
            where = p.path + (p.line > 0 ? ":" + std::to_string(p.line) : "");
            why = p.message;
            break;
        }
    const frameInfo* plate = bar_.frameAt(0, true);
    if (why.empty() && (!plate || !plate->image || plate->cBox.left > plate->cBox.right ||
                        plate->cBox.top > plate->cBox.bottom))
        why = "the life bar's plate needs a body box marking where life shows";
    if (!why.empty()) {
        reportProblem("warning: " + where + ": " + why +
                      " — the match is played with plain bars and no banners; "
                      "brawler-check says more");
        layOut();
        return false;
    }
    pictures_ = true;
    layOut();
    return true;
}

void hud::layOut() {
    if (pictures_) {
        const frameInfo* plate = bar_.frameAt(0, true);
        barW_ = plate->image->w;
        barH_ = plate->image->h;
        const colBox& b = plate->cBox;
        int left = std::clamp(b.left, 0, barW_ - 1);
        int top = std::clamp(b.top, 0, barH_ - 1);
        int right = std::clamp(b.right, left, barW_ - 1);
        int bottom = std::clamp(b.bottom, top, barH_ - 1);
        inside_ = rect(left, top, right - left + 1, bottom - top + 1);
        const frameInfo* m = marker_.frameAt(0, true);
        markerW_ = m && m->image ? m->image->w : 12;
        markerH_ = m && m->image ? m->image->h : 12;
    }
    int timerW = pictures_ ? big_.width("99") : 40;
    int gap = timerW + 4 * kGap;
    barX_[0] = kScreenW / 2 - gap / 2 - barW_;
    barX_[1] = kScreenW / 2 + gap / 2;
    barY_ = kBarTop;
}

void hud::attach(SDL_Surface* screen, SDL_Surface* stage) {
    screen_ = screen;
    stage_ = stage;
    for (shownPart& s : shown_)
        s = shownPart{};
}

void hud::setLabels(const std::string& left, const std::string& right) {
    labels_[0] = left;
    labels_[1] = right;
}

std::string hud::keyOf(int p, const hudView& v) const {
    switch (p) {
    case barLeft:
    case barRight: {
        int s = p - barLeft;
        int w = inside_.w;
        int filled = pixelsFor(v.hp[s], v.maxHp[s], w);
        int trail = pixelsFor(v.trailTop[s], v.maxHp[s], w);
        return std::to_string(filled) + " " + std::to_string(trail);
    }
    case labelLeft:
        return labels_[0];
    case labelRight:
        return labels_[1];
    case timer:
        return std::to_string(v.seconds);
    case markersLeft:
        return std::to_string(v.wins[0]) + "/" + std::to_string(v.winsNeeded);
    case markersRight:
        return std::to_string(v.wins[1]) + "/" + std::to_string(v.winsNeeded);
    case banner:
        return v.banner;
    case prompt:
        return v.prompt;
    default:
        return "";
    }
}

void hud::drawChanges(const hudView& view) {
    last_ = view;
    if (!screen_)
        return;
    for (int p = 0; p < partCount; ++p) {
        std::string key = keyOf(p, view);
        shownPart& s = shown_[p];
        if (s.drawn && key == s.key)
            continue;
        // Text and markers have see-through pixels: the old picture goes first.
        restoreStage(s.rect);
        s.rect = drawPart(p, view);
        s.key = key;
        s.drawn = true;
    }
}

void hud::drawOver(const screenPresenter& presenter, size_t mark) {
    if (!screen_)
        return;
    size_t end = presenter.noted();
    for (int p = 0; p < partCount; ++p) {
        shownPart& s = shown_[p];
        if (s.rect.w > 0 && presenter.touched(mark, end, s.rect))
            drawPart(p, last_);
    }
}

SDL_Rect hud::drawPart(int p, const hudView& v) {
    switch (p) {
    case barLeft:
    case barRight:
        return pictures_ ? drawBar(p - barLeft, v) : drawPlainBar(p - barLeft, v);
    case labelLeft:
        return small_.draw(screen_, labels_[0], barX_[0], barY_ - small_.height() - kGap);
    case labelRight: {
        int x = barX_[1] + barW_ - small_.width(labels_[1]);
        return small_.draw(screen_, labels_[1], x, barY_ - small_.height() - kGap);
    }
    case timer: {
        if (v.seconds < 0 || !big_.ready())
            return rect(0, 0, 0, 0);
        std::string text = std::to_string(std::min(v.seconds, 99));
        if (text.size() < 2)
            text = "0" + text;
        int y = barY_ + barH_ / 2 - big_.height() / 2;
        return big_.draw(screen_, text, kScreenW / 2 - big_.width(text) / 2, std::max(y, 0));
    }
    case markersLeft:
    case markersRight:
        return drawMarkers(p - markersLeft, v);
    case banner:
        return drawCentred(big_, v.banner, kBannerTop);
    case prompt:
        return drawCentred(small_, v.prompt, kBannerTop + big_.height() + 4 * kGap);
    default:
        return rect(0, 0, 0, 0);
    }
}

SDL_Rect hud::drawCentred(const hudFont& font, const std::string& text, int y) {
    return font.draw(screen_, text, kScreenW / 2 - font.width(text) / 2, y);
}

// Both bars drain towards the middle of the screen: the player's is anchored at its right
// end, the opponent's (drawn mirrored) at its left.
SDL_Rect hud::drawBar(int side, const hudView& v) {
    bool mirrored = side == 1;
    const frameInfo* plate = bar_.frameAt(0, !mirrored);
    const frameInfo* life = bar_.frameAt(1, !mirrored);
    const frameInfo* damage = bar_.frameAt(2, !mirrored);
    SDL_Rect whole = rect(barX_[side], barY_, barW_, barH_);
    SDL_Rect at = whole;
    SDL_BlitSurface(plate->image, nullptr, screen_, &at);
    int insideX = mirrored ? barW_ - inside_.x - inside_.w : inside_.x;
    int filled = pixelsFor(v.hp[side], v.maxHp[side], inside_.w);
    int trail = std::max(pixelsFor(v.trailTop[side], v.maxHp[side], inside_.w) - filled, 0);
    auto span = [&](const frameInfo* f, int from, int width) {
        if (!f || !f->image || width <= 0)
            return;
        SDL_Rect src = rect(from, 0, width, inside_.h);
        SDL_Rect dest = rect(whole.x + insideX + from, whole.y + inside_.y, 0, 0);
        SDL_BlitSurface(f->image, &src, screen_, &dest);
    };
    if (mirrored) {
        span(life, 0, filled);
        span(damage, filled, trail);
    } else {
        span(life, inside_.w - filled, filled);
        span(damage, inside_.w - filled - trail, trail);
    }
    screenPresenter::noteDraw(screen_, whole.x, whole.y, whole.w, whole.h);
    return whole;
}

SDL_Rect hud::drawPlainBar(int side, const hudView& v) {
    SDL_Rect whole = rect(barX_[side], barY_, barW_, barH_);
    fill(whole, 230, 230, 230);
    SDL_Rect in = rect(whole.x + inside_.x, whole.y + inside_.y, inside_.w, inside_.h);
    fill(in, 40, 30, 40);
    int filled = pixelsFor(v.hp[side], v.maxHp[side], inside_.w);
    int trail = std::max(pixelsFor(v.trailTop[side], v.maxHp[side], inside_.w) - filled, 0);
    int lifeX = side == 0 ? in.x + in.w - filled : in.x;
    int trailX = side == 0 ? lifeX - trail : in.x + filled;
    fill(rect(trailX, in.y, trail, in.h), 250, 240, 200);
    fill(rect(lifeX, in.y, filled, in.h), 240, 190, 40);
    screenPresenter::noteDraw(screen_, whole.x, whole.y, whole.w, whole.h);
    return whole;
}

// One marker per round needed, filled from the middle of the screen outwards.
SDL_Rect hud::drawMarkers(int side, const hudView& v) {
    int n = std::max(v.winsNeeded, 0);
    if (n == 0)
        return rect(0, 0, 0, 0);
    int step = markerW_ + kGap;
    int y = barY_ + barH_ + kGap;
    int across = n * step - kGap;
    int x0 = side == 0 ? barX_[0] + barW_ - across : barX_[1];
    for (int i = 0; i < n; ++i) {
        int fromMiddle = side == 0 ? n - 1 - i : i;
        bool won = fromMiddle < v.wins[side];
        SDL_Rect at = rect(x0 + i * step, y, markerW_, markerH_);
        const frameInfo* f = pictures_ ? marker_.frameAt(won ? 1 : 0, true) : nullptr;
        if (f && f->image)
            SDL_BlitSurface(f->image, nullptr, screen_, &at);
        else if (!pictures_)
            fill(at, won ? 240 : 70, won ? 190 : 60, won ? 40 : 70);
    }
    SDL_Rect whole = rect(x0, y, across, markerH_);
    screenPresenter::noteDraw(screen_, whole.x, whole.y, whole.w, whole.h);
    return whole;
}

void hud::restoreStage(const SDL_Rect& r) {
    if (r.w == 0 || r.h == 0 || !stage_)
        return;
    SDL_Rect src = r;
    SDL_Rect dest = r;
    SDL_BlitSurface(stage_, &src, screen_, &dest);
    screenPresenter::noteDraw(screen_, r.x, r.y, r.w, r.h);
}

void hud::fill(const SDL_Rect& r, Uint8 red, Uint8 green, Uint8 blue) {
    if (r.w == 0 || r.h == 0)
        return;
    SDL_Rect at = r;
    SDL_FillRect(screen_, &at, SDL_MapRGB(screen_->format, red, green, blue));
}
