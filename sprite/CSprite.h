#pragma once

#include <string>

#include "SDL.h"

#include "collision/colBox.h"

class CSpriteBase;
struct frameInfo;

// One drawable instance of a sheet: position, frame on show, timing and the saved
// background under it. Each pass an object restores what it covered (clearBG), saves
// the background at its new place (updateBG) and draws.
class CSprite {
public:
    int frame = 0; // index into the sheet's frames
    int x = 0;     // screen position of the image's top-left corner
    int y = 0;
    int oldX = 0; // position where the background was last saved
    int oldY = 0;
    int animating = 1;                 // 1: frames advance with time
    int drawn = 0;                     // 1 after the first draw; restores only then
    float speed = 0.0f;                // multiplier of every frame's delay; larger is slower
    int lastTick = 0;                  // SDL tick (ms) at the last frame change
    CSpriteBase* base = nullptr;       // the sheet shown, not owned
    SDL_Surface* background = nullptr; // saved background, owned
    SDL_Surface* screen = nullptr;     // surface drawn on, not owned
    int bgX = 0;                       // screen corner where background was saved
    int bgY = 0;
    int bgW = 0; // size of the part saved there (on-screen part)
    int bgH = 0;
    // The background is made at the first save rather than at init, so that an object
    // born inside a fight step allocates no surface there.
    bool backgroundLater = false;

    CSprite() = default;
    ~CSprite();
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    void init(CSpriteBase* sheet, SDL_Surface* target);
    void clearBG();
    void updateBG();
    void draw();
    void drawD(bool facingRight);
    // Draws the frame on show without advancing it: frames advance in the fight's steps.
    void drawFrame(bool facingRight);
    // Advances at most one frame that falls due after `since` and by `now` (game clock,
    // ms): at the first whole millisecond past its due time, as a loop passing every
    // millisecond would, so an 11 ms step never stretches a 15 ms frame. Returns whether
    // it advanced; `wrapped` is set when the index went back to 0.
    bool advanceWithin(Uint32 since, Uint32 now, bool& wrapped);
    void moveD(bool facingRight);
    void setAlpha(int alpha);
    void adjustPos(int ax, int ay, bool facingRight);
    int getYOffset(int f) const;
    int returnPartNum() const;
    std::string returnParticle(int i) const;
    std::string returnSound() const;
    int getDamage() const;
    int getHitType() const;
    colBox getColBox(bool facingRight) const;
    // Debug overlay: the body box, filled or (`outlined`) as a 1-pixel frame.
    void drawColBoxes(bool outlined = false);

protected:
    // Advances at most one frame when its time is due; true when the index wrapped.
    bool advanceFrame();
    // The current frame (unmirrored), or null when the sheet has none.
    const frameInfo* current() const;
    // Replaces `background` with a key-filled surface able to hold the on-screen part
    // of a w x h area, carrying the colour key of `keySource` (may be null).
    void makeBackground(int w, int h, SDL_Surface* keySource);
    // Whether the background was made for a w x h area.
    bool backgroundHolds(int w, int h) const;
    // Saves the on-screen part of the w x h screen area with its corner at (cx, cy).
    void saveBackgroundAt(int cx, int cy, int w, int h);
    // Puts the part saved last back where it was taken from.
    void restoreBackground();
};
