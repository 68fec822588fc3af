#include "match/trainingPanel.h"

#include <algorithm>
#include <cmath>

#include "control/inputFrame.h"
#include "datafile/loadReport.h"
#include "platform/screenPresenter.h"

namespace {

constexpr int kScreenW = 800;
constexpr int kTop = 78;        // the side columns' top edge, under the life bars
constexpr int kMargin = 8;      // from the screen's edges
constexpr int kPad = 4;         // inside a plate, around its text
constexpr int kRowGap = 2;      // between two lines
constexpr int kComboTop = 62;   // under the life bars
constexpr int kStatusTop = 546; // the foot of the screen
constexpr int kArrowCell = 16;  // an arrow's square
constexpr int kInputsW = 112;   // the input display's plate

SDL_Rect rect(int x, int y, int w, int h) {
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y),
                    static_cast<Uint16>(std::max(w, 0)), static_cast<Uint16>(std::max(h, 0))};
}

std::string buttonsOf(uint8_t held) {
    std::string b;
    if (held & inputFrame::buttonA)
        b += 'A';
    if (held & inputFrame::buttonB)
        b += 'B';
    if (held & inputFrame::buttonC)
        b += 'C';
    return b;
}

} // namespace

bool trainingPanel::load(const std::string& hudFolder) {
    // The HUD's own loading has already said what is wrong with these.
    loadReport report;
    bool small = small_.load(hudFolder + "/font", &report);
    bool big = big_.load(hudFolder + "/bigfont", &report);
    return small && big;
}

void trainingPanel::attach(SDL_Surface* screen, SDL_Surface* stage) {
    screen_ = screen;
    stage_ = stage;
    for (shownPart& s : shown_)
        s = shownPart{};
}

std::string trainingPanel::keyOf(int p, const trainingView& v) const {
    std::string key;
    switch (p) {
    case inputs:
        for (const inputShown& i : v.inputs)
            key += std::to_string(i.held) + ":" + std::to_string(std::min(i.steps, 99)) + " ";
        return key;
    case frames:
        for (const std::string& line : v.frameLines)
            key += line + "\n";
        return key;
    case combo:
        return v.combo;
    case status:
        return v.status;
    default:
        return v.keys;
    }
}

void trainingPanel::drawChanges(const trainingView& view) {
    if (!screen_)
        return;
    last_ = view;
    for (int p = 0; p < partCount; ++p) {
        shownPart& s = shown_[p];
        std::string key = keyOf(p, view);
        if (key == s.key && s.rect.w > 0)
            continue;
        restoreStage(s.rect);
        s.rect = drawPart(p, view, true);
        s.key = key;
    }
}

void trainingPanel::drawOver(const screenPresenter& presenter, size_t mark) {
    if (!screen_)
        return;
    size_t end = presenter.noted();
    for (int p = 0; p < partCount; ++p) {
        const shownPart& s = shown_[p];
        if (s.rect.w > 0 && presenter.touched(mark, end, s.rect))
            drawPart(p, last_, false);
    }
}

SDL_Rect trainingPanel::drawPart(int p, const trainingView& v, bool plate) {
    switch (p) {
    case inputs: {
        if (v.inputs.empty())
            return rect(0, 0, 0, 0);
        int row = std::max(small_.height(), kArrowCell) + kRowGap;
        size_t n = std::min(v.inputs.size(), kInputLines);
        SDL_Rect r = rect(kMargin, kTop, kInputsW, static_cast<int>(n) * row + 2 * kPad - kRowGap);
        if (plate)
            shadeStage(r);
        for (size_t i = 0; i < n; ++i) {
            const inputShown& in = v.inputs[i];
            int y = kTop + kPad + static_cast<int>(i) * row;
            drawArrow(in.held, r.x + kPad, y);
            drawText(small_, buttonsOf(in.held), r.x + kPad + kArrowCell + 6, y);
            std::string count = std::to_string(std::min(in.steps, 99));
            drawText(small_, count, r.x + r.w - kPad - small_.width(count), y);
        }
        screenPresenter::noteDraw(screen_, r.x, r.y, r.w, r.h);
        return r;
    }
    case frames:
        return drawLines(small_, v.frameLines, kScreenW - kMargin, kTop, true, plate);
    case combo: {
        if (v.combo.empty())
            return rect(0, 0, 0, 0);
        int w = big_.width(v.combo);
        return drawLines(big_, {v.combo}, kScreenW / 2 - w / 2 - kPad, kComboTop, false, plate);
    }
    case status:
    case keys: {
        const std::string& text = p == status ? v.status : v.keys;
        if (text.empty())
            return rect(0, 0, 0, 0);
        int y = kStatusTop + (p == keys ? small_.height() + 2 * kPad : 0);
        int w = small_.width(text);
        return drawLines(small_, {text}, kScreenW / 2 - w / 2 - kPad, y, false, plate);
    }
    default:
        return rect(0, 0, 0, 0);
    }
}

// Lines on one plate; `x` is the plate's left edge, or its right edge when right-aligned.
SDL_Rect trainingPanel::drawLines(const hudFont& font, const std::vector<std::string>& lines, int x,
                                  int y, bool rightAligned, bool plate) {
    if (lines.empty() || !font.ready())
        return rect(0, 0, 0, 0);
    int widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, font.width(line));
    int row = font.height() + kRowGap;
    SDL_Rect r = rect(rightAligned ? x - widest - 2 * kPad : x, y, widest + 2 * kPad,
                      static_cast<int>(lines.size()) * row + 2 * kPad - kRowGap);
    if (plate)
        shadeStage(r);
    for (size_t i = 0; i < lines.size(); ++i) {
        int lineX = rightAligned ? r.x + r.w - kPad - font.width(lines[i]) : r.x + kPad;
        drawText(font, lines[i], lineX, r.y + kPad + static_cast<int>(i) * row);
    }
    screenPresenter::noteDraw(screen_, r.x, r.y, r.w, r.h);
    return r;
}

void trainingPanel::drawText(const hudFont& font, const std::string& text, int x, int y) {
    font.draw(screen_, text, x, y);
}

void trainingPanel::dot(int x, int y, int size, Uint32 colour) {
    SDL_Rect r = rect(x, y, size, size);
    SDL_FillRect(screen_, &r, colour);
}

// An arrow the way the directions held point, on the screen (up is a jump); a small
// square for none.
void trainingPanel::drawArrow(uint8_t held, int x, int y) {
    int dx = (held & inputFrame::right ? 1 : 0) - (held & inputFrame::left ? 1 : 0);
    int dy = (held & inputFrame::down ? 1 : 0) - (held & inputFrame::up ? 1 : 0);
    float cx = static_cast<float>(x) + kArrowCell / 2.0f;
    float cy = static_cast<float>(y) + kArrowCell / 2.0f;
    if (dx == 0 && dy == 0) {
        dot(static_cast<int>(cx) - 2, static_cast<int>(cy) - 2, 4,
            SDL_MapRGB(screen_->format, 150, 150, 150));
        return;
    }
    Uint32 colour = SDL_MapRGB(screen_->format, 255, 220, 60);
    float len = std::sqrt(static_cast<float>(dx * dx + dy * dy));
    float ux = static_cast<float>(dx) / len;
    float uy = static_cast<float>(dy) / len;
    auto line = [&](float x0, float y0, float x1, float y1) {
        for (float t = 0.0f; t <= 1.0f; t += 0.05f)
            dot(static_cast<int>(std::lround(x0 + (x1 - x0) * t - 1.0f)),
                static_cast<int>(std::lround(y0 + (y1 - y0) * t - 1.0f)), 2, colour);
    };
    float reach = 6.0f;
    float tipX = cx + ux * reach;
    float tipY = cy + uy * reach;
    line(cx - ux * reach, cy - uy * reach, tipX, tipY);
    // The head: two strokes back from the tip, a quarter turn apart.
    const float head = 4.5f;
    const float c = 0.7071f;
    line(tipX, tipY, tipX - head * (ux * c - uy * c), tipY - head * (ux * c + uy * c));
    line(tipX, tipY, tipX - head * (ux * c + uy * c), tipY - head * (-ux * c + uy * c));
}

void trainingPanel::restoreStage(const SDL_Rect& r) {
    if (r.w == 0 || r.h == 0 || !stage_)
        return;
    SDL_Rect src = r;
    SDL_Rect dest = r;
    SDL_BlitSurface(stage_, &src, screen_, &dest);
    screenPresenter::noteDraw(screen_, r.x, r.y, r.w, r.h);
}

// The stage under a plate, darkened, so the text reads on any part of it.
void trainingPanel::shadeStage(const SDL_Rect& r) {
    restoreStage(r);
    SDL_PixelFormat* fmt = screen_->format;
    if (fmt->BytesPerPixel != 4)
        return;
    if (SDL_MUSTLOCK(screen_) && SDL_LockSurface(screen_) != 0)
        return;
    int x0 = std::max<int>(0, r.x);
    int y0 = std::max<int>(0, r.y);
    int x1 = std::min<int>(screen_->w, r.x + r.w);
    int y1 = std::min<int>(screen_->h, r.y + r.h);
    for (int y = y0; y < y1; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen_->pixels) + y * screen_->pitch);
        for (int x = x0; x < x1; ++x) {
            Uint8 red, green, blue;
            SDL_GetRGB(row[x], fmt, &red, &green, &blue);
            row[x] = SDL_MapRGB(fmt, static_cast<Uint8>(red * 3 / 10 + 8),
                                static_cast<Uint8>(green * 3 / 10 + 8),
                                static_cast<Uint8>(blue * 3 / 10 + 14));
        }
    }
    if (SDL_MUSTLOCK(screen_))
        SDL_UnlockSurface(screen_);
}
