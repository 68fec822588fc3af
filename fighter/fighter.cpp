#include "fighter/fighter.h"

#include <algorithm>
#include <cstdio>

#include "fighter/animationSet.h"
#include "moves/moveSet.h"
#include "platform/gameClock.h"
#include "platform/screenPresenter.h"
#include "sprite/CSpriteBase.h"
#include "sprite/frameInfo.h"
#include "sprite/screenRect.h"
#include "platform/traceLog.h"

namespace {

// Highest a launch can carry a fighter's anchor, in screen pixels above the top.
constexpr int kHighestAnchor = 1 << 24;

// Debug rectangles take raw pixel values of the 32-bit screen. A box that holds no
// point has nothing to show (and would wrap to a huge width).
void fillBox(SDL_Surface* screen, int x, int y, int w, int h, Uint32 pixel) {
    if (w <= 0 || h <= 0)
        return;
    SDL_Rect r = screenRect(x, y, w, h);
    screenPresenter::noteDraw(screen, r.x, r.y, r.w, r.h);
    SDL_FillRect(screen, &r, pixel);
}

// The same box as a 1-pixel frame.
void outlineBox(SDL_Surface* screen, int x, int y, int w, int h, Uint32 pixel) {
    if (w <= 0 || h <= 0)
        return;
    fillBox(screen, x, y, w, 1, pixel);
    fillBox(screen, x, y + h - 1, w, 1, pixel);
    fillBox(screen, x, y, 1, h, pixel);
    fillBox(screen, x + w - 1, y, 1, h, pixel);
}

} // namespace

const frameInfo* Fighter::shown() const {
    return base ? base->frameAt(frame, facingRight) : nullptr;
}

void Fighter::initS(animationSet* set, SDL_Surface* target) {
    currentMove = nullptr;
    animSet = set;
    base = set ? set->returnAnimation("blank") : nullptr;
    // The background is made by changeAnim below, sized for "walk"; a copy made here
    // from "blank" would be replaced at once.
    if (base && base->loaded != 0 && base->frameCount > 1)
        animating = 1;
    changeAnim("walk");
    actionName = "walk";
    screen = target;
}

void Fighter::setDir(bool right) {
    facingRight = right;
}

void Fighter::setHP(int hp, int max) {
    hitPoints = hp;
    maxHitPoints = max;
}

void Fighter::changeHP(int delta) {
    hitPoints += delta;
    if (hitPoints > maxHitPoints)
        hitPoints = maxHitPoints;
    if (hitPoints < 0)
        hitPoints = 0;
}

void Fighter::boundary() {
    if (x < boundaryXLeft + 2)
        x = boundaryXLeft + 2;
    if (x > boundaryXRight - 2)
        x = boundaryXRight - 2;
}

bool Fighter::returnBusy() const {
    return currentMove != nullptr;
}

bool Fighter::returnHitable() const {
    // Reacting to a hit or blocking protects from the next contact until it ends.
    return actionName != "hit1" && actionName != "blockHi" && actionName != "blockLo" &&
           actionName != "blockAir";
}

colBox Fighter::screenBox(colBox frameInfo::*which) const {
    colBox box;
    const frameInfo* a = shown();
    const frameInfo* f = current();
    if (!a || !f)
        return box;
    // Horizontal values follow the facing; vertical ones are never mirrored.
    box.left = x + (a->*which).left - a->anchorX;
    box.right = x + (a->*which).right - a->anchorX;
    box.top = y + (f->*which).top - f->anchorY;
    box.bottom = y + (f->*which).bottom - f->anchorY;
    return box;
}

colBox Fighter::getCBox() const {
    return screenBox(&frameInfo::cBox);
}

colBox Fighter::getDBox() const {
    return screenBox(&frameInfo::dBox);
}

void Fighter::saveArea(int& cx, int& cy, int& w, int& h) const {
    cx = x;
    cy = y;
    w = h = 0;
    // Frames may differ in size and anchor, and draw may advance to the next frame
    // after the save: the saved rectangle covers every frame of the sheet around the
    // anchor. A mirrored frame's left extent is the unmirrored right one.
    int left = 0, top = 0, right = 0, bottom = 0;
    bool any = false;
    auto cover = [&](const CSpriteBase* sheet) {
        if (!sheet || sheet->frameCount <= 0)
            return;
        int l = x - (facingRight ? sheet->extentLeft : sheet->extentRight);
        int t = y - sheet->extentTop;
        int r = l + sheet->extentLeft + sheet->extentRight;
        int b = t + sheet->extentTop + sheet->extentBottom;
        if (!any) {
            left = l;
            top = t;
            right = r;
            bottom = b;
            any = true;
            return;
        }
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    };
    cover(base);
    // A move can end inside draw, after the other fighter has been drawn this pass,
    // and switch to walk there. Restoring an area that holds the walk frames too
    // leaves only clean background where the walk sheet's save then reads.
    if (currentMove && animSet)
        cover(animSet->returnAnimation("walk"));
    if (!any)
        return;
    cx = left;
    cy = top;
    w = right - left;
    h = bottom - top;
}

void Fighter::renewBackground() {
    int cx, cy, w, h;
    saveArea(cx, cy, w, h);
    // The colour key is that of blank's first frame, so pixels no save has refreshed
    // are skipped by a restore instead of painting stale background.
    SDL_Surface* key = nullptr;
    if (animSet)
        if (CSpriteBase* blank = animSet->returnAnimation("blank"))
            if (const frameInfo* first = blank->frameAt(0, true))
                key = first->image;
    makeBackground(w, h, key);
}

void Fighter::clearBG() {
    // The restore goes back to the corner of the save, whichever frame is on show now.
    restoreBackground();
}

void Fighter::updateBG() {
    int cx, cy, w, h;
    saveArea(cx, cy, w, h);
    if (screen && w > 0 && h > 0 && !backgroundHolds(w, h))
        renewBackground();
    saveBackgroundAt(cx, cy, w, h);
    oldX = x;
    oldY = y;
    savedFacing = facingRight;
}

void Fighter::reseat() {
    frame = 0;
    restoreBackground();
    updateBG();
}

void Fighter::endMove() {
    tracef("punch ended\n");
    currentMove = nullptr;
    // The other fighter and the particles may already be drawn over this fighter
    // in this pass: a restore now would wipe them for a frame. The background
    // saved this pass already covers the walk frames, so only the sheet changes.
    showInPlace("walk");
}

void Fighter::advanceFrames(Uint32 since, Uint32 now) {
    // Each turn advances a frame or ends a move, at most one frame a millisecond.
    for (int turn = 0; turn < 64; ++turn) {
        // A move without frames would never wrap and keep the fighter busy for good.
        if (currentMove && (!base || base->frameCount <= 0)) {
            endMove();
            continue;
        }
        bool wrapped = false;
        if (!advanceWithin(since, now, wrapped))
            return;
        if (currentMove && wrapped)
            endMove();
    }
}

void Fighter::draw() {
    if (!stepsApart) {
        bool wrapped = advanceFrame();
        bool empty = !base || base->frameCount <= 0;
        if (currentMove && (wrapped || empty))
            endMove();
    }
    if (drawn == 0)
        drawn = 1;
    const frameInfo* a = shown();
    const frameInfo* f = current();
    if (!a || !f || !a->image || !screen)
        return;
    SDL_Rect dest = screenRect(x - a->anchorX, y - f->anchorY, 0, 0);
    screenPresenter::noteDraw(screen, dest.x, dest.y, a->image->w, a->image->h);
    SDL_BlitSurface(a->image, nullptr, screen, &dest);
}

void Fighter::drawColBoxes(bool outlined) {
    if (!screen)
        return;
    const frameInfo* a = shown();
    const frameInfo* f = current();
    auto box = outlined ? outlineBox : fillBox;
    if (a && f)
        box(screen, x + a->cBox.left - a->anchorX, y + f->cBox.top - f->anchorY,
            a->cBox.right - a->cBox.left, f->cBox.bottom - f->cBox.top, 0xffcc00);
    fillBox(screen, x - 2, y - 2, 4, 2, 0x0000cc);
    if (a && f && f->damage > 0)
        box(screen, x + a->dBox.left - a->anchorX, y + f->dBox.top - f->anchorY,
            a->dBox.right - a->dBox.left, f->dBox.bottom - f->dBox.top, 0xff0000);
}

void Fighter::leaveSheet() {
    if (!stepsApart) {
        reseat();
        return;
    }
    frame = 0;
    if (framesFromChange)
        lastTick = static_cast<int>(gameTicks());
}

void Fighter::changeAnim(const std::string& name) {
    leaveSheet();
    actionName = name;
    base = animSet ? animSet->returnAnimation(name) : nullptr;
    if (base && base->frameCount > 1)
        animating = 1;
    // The old surface held the background of the old sheet's area; the re-seat has
    // already put it back, and keeping it would restore stale pixels. Apart from the
    // steps, the scene's next save makes a surface of the new size when one is needed.
    if (!stepsApart)
        renewBackground();
    tracef("%s\n", name.c_str());
}

void Fighter::showSheet(const std::string& name, CSpriteBase* sheet) {
    leaveSheet();
    actionName = name;
    base = sheet;
    if (base && base->frameCount > 1)
        animating = 1;
    if (!stepsApart)
        renewBackground();
    tracef("%s\n", name.c_str());
}

void Fighter::showInPlace(const std::string& name) {
    actionName = name;
    frame = 0;
    base = animSet ? animSet->returnAnimation(name) : nullptr;
    if (base && base->frameCount > 1)
        animating = 1;
    tracef("%s\n", name.c_str());
}

void Fighter::changeAction(moveInfo* move) {
    if (jumpsLeft <= 0 || !move)
        return;
    // An air move costs a jump, so a fighter cannot stay aloft by chaining moves.
    if (!onGround)
        jumpsLeft -= 1;
    currentMove = move;
    leaveSheet();
    actionName = move->name;
    tracef("%s", move->name.c_str());
    base = &move->sheet;
    if (base->frameCount > 1)
        animating = 1;
    if (!stepsApart)
        renewBackground();
}

void Fighter::duck() {
    if (actionName == "walk")
        changeAnim("duck");
}

void Fighter::Jump(int jumpSpeed) {
    if (jumpsLeft <= 0)
        return;
    changeAnim("inAir");
    jumpsLeft -= 1;
    // The jump that spends the last one is weaker, so a double jump is not twice as
    // high.
    if (jumpsLeft == 0)
        jumpSpeed -= 2;
    onGround = false;
    verticalSpeed = jumpSpeed;
}

void Fighter::Gravity() {
    const frameInfo* f = current();
    int stepX = f ? f->moveX : 0;
    int launch = f ? f->moveY : 0;
    x += facingRight ? stepX : -stepX;
    if (launch > 0) {
        // However long a launching frame lasts, the fighter stops far above the
        // screen instead of running y out of range.
        y = std::max(y - launch, -kHighestAnchor);
        onGround = false;
        verticalSpeed = 4;
        return;
    }
    if (!onGround) {
        y -= verticalSpeed;
        verticalSpeed -= 1;
    }
    if (y <= g_GroundLevel + 1)
        return;
    if (!onGround)
        changeAnim("walk");
    y = g_GroundLevel;
    onGround = true;
    jumpsLeft = 2;
}
