#include "sprite/CSprite.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/gameClock.h"
#include "platform/screenPresenter.h"
#include "sprite/CSpriteBase.h"
#include "sprite/screenRect.h"

namespace {

void blitAt(SDL_Surface* source, SDL_Surface* target, int x, int y) {
    if (!source || !target)
        return;
    SDL_Rect dest = screenRect(x, y, 0, 0);
    screenPresenter::noteDraw(target, dest.x, dest.y, source->w, source->h);
    SDL_BlitSurface(source, nullptr, target, &dest);
}

} // namespace

CSprite::~CSprite() {
    if (background)
        SDL_FreeSurface(background);
}

void CSprite::init(CSpriteBase* sheet, SDL_Surface* target) {
    base = sheet;
    if (sheet && sheet->loaded != 0) {
        if (sheet->frameCount > 1)
            animating = 1;
        // Large enough for the biggest frame, so whichever frame is drawn after the
        // save lies wholly on saved background.
        SDL_Surface* first = sheet->frames.empty() ? nullptr : sheet->frames[0].image;
        if (!backgroundLater)
            makeBackground(sheet->maxWidth, sheet->maxHeight, first);
    }
    screen = target;
}

const frameInfo* CSprite::current() const {
    return base ? base->frameAt(frame, true) : nullptr;
}

namespace {

// Only the part of an area that lies on the screen is ever saved, so no background
// needs to be larger than the screen, however far a frame's anchor lies outside it.
int cappedToScreen(int length, bool horizontal) {
    SDL_Surface* video = SDL_GetVideoSurface();
    int limit = video ? (horizontal ? video->w : video->h) : length;
    return std::min(length, limit);
}

} // namespace

void CSprite::makeBackground(int w, int h, SDL_Surface* keySource) {
    if (background) {
        SDL_FreeSurface(background);
        background = nullptr;
    }
    bgW = bgH = 0;
    w = cappedToScreen(w, true);
    h = cappedToScreen(h, false);
    SDL_Surface* like = keySource ? keySource : SDL_GetVideoSurface();
    if (!like || w <= 0 || h <= 0)
        return;
    SDL_PixelFormat* fmt = like->format;
    SDL_Surface* raw =
        SDL_CreateRGBSurface(0, w, h, fmt->BitsPerPixel, fmt->Rmask, fmt->Gmask, fmt->Bmask, 0);
    if (!raw)
        return;
    background = SDL_DisplayFormat(raw);
    SDL_FreeSurface(raw);
    if (!background)
        return;
    // A restore skips key-coloured pixels, exactly as a frame blit does; what the
    // saves never refresh stays key colour and so never reaches the screen.
    if (keySource && (keySource->flags & SDL_SRCCOLORKEY)) {
        Uint8 r, g, b;
        SDL_GetRGB(keySource->format->colorkey, keySource->format, &r, &g, &b);
        Uint32 key = SDL_MapRGB(background->format, r, g, b);
        SDL_FillRect(background, nullptr, key);
        SDL_SetColorKey(background, SDL_SRCCOLORKEY, key);
    }
}

bool CSprite::backgroundHolds(int w, int h) const {
    return background && background->w == cappedToScreen(w, true) &&
           background->h == cappedToScreen(h, false);
}

void CSprite::saveBackgroundAt(int cx, int cy, int w, int h) {
    bgX = cx;
    bgY = cy;
    bgW = bgH = 0;
    if (!background || !screen)
        return;
    // The on-screen part of the area, no larger than the background.
    int left = std::max(cx, 0);
    int top = std::max(cy, 0);
    long long right = std::min<long long>(
        {static_cast<long long>(cx) + w, screen->w, static_cast<long long>(left) + background->w});
    long long bottom = std::min<long long>(
        {static_cast<long long>(cy) + h, screen->h, static_cast<long long>(top) + background->h});
    bgX = left;
    bgY = top;
    bgW = right > left ? static_cast<int>(right - left) : 0;
    bgH = bottom > top ? static_cast<int>(bottom - top) : 0;
    if (bgW == 0 || bgH == 0)
        return;
    SDL_Rect source = screenRect(bgX, bgY, bgW, bgH);
    SDL_Rect dest = screenRect(0, 0, 0, 0);
    SDL_BlitSurface(screen, &source, background, &dest);
}

void CSprite::restoreBackground() {
    if (drawn != 1 || !background || !screen || bgW <= 0 || bgH <= 0)
        return;
    SDL_Rect source = screenRect(0, 0, bgW, bgH);
    SDL_Rect dest = screenRect(bgX, bgY, 0, 0);
    screenPresenter::noteDraw(screen, bgX, bgY, bgW, bgH);
    SDL_BlitSurface(background, &source, screen, &dest);
}

void CSprite::clearBG() {
    restoreBackground();
}

void CSprite::updateBG() {
    oldX = x;
    oldY = y;
    if (!base)
        return;
    if (!background && backgroundLater && base->loaded != 0 && !base->frames.empty())
        makeBackground(base->maxWidth, base->maxHeight, base->frames[0].image);
    saveBackgroundAt(x, y, base->maxWidth, base->maxHeight);
}

bool CSprite::advanceFrame() {
    const frameInfo* f = current();
    if (animating != 1 || !f)
        return false;
    float due = static_cast<float>(lastTick) + static_cast<float>(f->delay) * speed;
    bool wrapped = false;
    Uint32 now = gameTicks();
    if (static_cast<float>(now) > due) {
        frame += 1;
        if (frame > base->frameCount - 1) {
            frame = 0;
            wrapped = true;
        }
        lastTick = static_cast<int>(now);
    }
    return wrapped;
}

bool CSprite::advanceWithin(Uint32 since, Uint32 now, bool& wrapped) {
    const frameInfo* f = current();
    if (animating != 1 || !f)
        return false;
    float due = static_cast<float>(lastTick) + static_cast<float>(f->delay) * speed;
    double first = std::floor(static_cast<double>(due)) + 1.0;
    // A frame that fell due before the step began advances at the step's first
    // millisecond; and every advance takes at least a millisecond, whatever the delay.
    double at = std::max({first, static_cast<double>(since) + 1.0, double(lastTick) + 1.0});
    if (at > static_cast<double>(now))
        return false;
    frame += 1;
    if (frame > base->frameCount - 1) {
        frame = 0;
        wrapped = true;
    }
    lastTick = static_cast<int>(at);
    return true;
}

void CSprite::draw() {
    drawD(true);
}

void CSprite::drawD(bool facingRight) {
    advanceFrame();
    drawFrame(facingRight);
}

void CSprite::drawFrame(bool facingRight) {
    if (drawn == 0)
        drawn = 1;
    if (const frameInfo* f = base ? base->frameAt(frame, facingRight) : nullptr)
        blitAt(f->image, screen, x, y);
}

void CSprite::moveD(bool facingRight) {
    if (const frameInfo* f = current())
        x += facingRight ? f->moveX : -f->moveX;
}

void CSprite::setAlpha(int alpha) {
    if (base)
        base->alphaAll(alpha);
}

void CSprite::adjustPos(int ax, int ay, bool facingRight) {
    const frameInfo* f = current();
    const frameInfo* a = base ? base->frameAt(frame, facingRight) : nullptr;
    if (!f || !a)
        return;
    y = ay - f->anchorY;
    x = ax - a->anchorX;
}

int CSprite::getYOffset(int f) const {
    const frameInfo* info = base ? base->frameAt(f, true) : nullptr;
    if (!info)
        return 0;
    return std::max(info->cBox.bottom, info->dBox.bottom);
}

int CSprite::returnPartNum() const {
    const frameInfo* f = current();
    return f ? f->particleCount : 0;
}

std::string CSprite::returnParticle(int i) const {
    const frameInfo* f = current();
    if (!f || i < 1 || i > static_cast<int>(f->particleNames.size()))
        return "NULL";
    return f->particleNames[i - 1];
}

std::string CSprite::returnSound() const {
    const frameInfo* f = current();
    return f ? f->soundName : std::string("NULL");
}

int CSprite::getDamage() const {
    const frameInfo* f = current();
    return f ? f->damage : 0;
}

int CSprite::getHitType() const {
    const frameInfo* f = current();
    return f ? f->hitType : 0;
}

colBox CSprite::getColBox(bool facingRight) const {
    colBox box;
    const frameInfo* f = current();
    const frameInfo* a = base ? base->frameAt(frame, facingRight) : nullptr;
    if (!f || !a)
        return box;
    box.top = y + f->cBox.top;
    box.bottom = y + f->cBox.bottom;
    box.left = x + a->cBox.left;
    box.right = x + a->cBox.right;
    return box;
}

void CSprite::drawColBoxes(bool outlined) {
    const frameInfo* f = current();
    if (!f || !screen)
        return;
    int w = f->cBox.right - f->cBox.left;
    int h = f->cBox.bottom - f->cBox.top;
    // A box that holds no point has nothing to show.
    if (w <= 0 || h <= 0)
        return;
    SDL_Rect r = screenRect(x + f->cBox.left, y + f->cBox.top, w, h);
    screenPresenter::noteDraw(screen, r.x, r.y, r.w, r.h);
    if (!outlined) {
        SDL_FillRect(screen, &r, 0xff0000);
        return;
    }
    SDL_Rect edges[4] = {{r.x, r.y, r.w, 1},
                         {r.x, static_cast<Sint16>(r.y + r.h - 1), r.w, 1},
                         {r.x, r.y, 1, r.h},
                         {static_cast<Sint16>(r.x + r.w - 1), r.y, 1, r.h}};
    for (SDL_Rect& e : edges)
        SDL_FillRect(screen, &e, 0xff0000);
}
