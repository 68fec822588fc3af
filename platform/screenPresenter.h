#pragma once

#include <vector>

#include "SDL.h"

// Shows on the window what a pass changed on the screen surface. The screen is a
// single-buffered software surface, so presenting exactly the rectangles drawn or
// restored since the last present shows the same picture as flipping all of it, at a
// tenth of the cost. Drawing code reports its rectangles through noteDraw; the Game owns
// the one presenter and attaches it to the screen.
class screenPresenter {
public:
    // Present the whole screen on every pass instead of the changed rectangles, for
    // comparing both ways (BRAWLER_PRESENT=flip does the same for the game).
    bool presentAll = false;
    int lastRectCount = 0;      // rectangles handed to SDL by the last present
    bool lastWasFull = false;   // the last present was a full flip
    long lastPresentedArea = 0; // pixels the last present sent to the window

    screenPresenter() = default;
    ~screenPresenter();
    screenPresenter(const screenPresenter&) = delete;
    screenPresenter& operator=(const screenPresenter&) = delete;

    // Starts recording what is drawn on `target`; the next present is a full flip.
    void attach(SDL_Surface* target);
    // Stops recording (also done by the destructor).
    void detach();
    // A rectangle of the screen changed; clipped to the screen when presented.
    void note(int x, int y, int w, int h);
    // Something was drawn that no rectangle describes: the next present flips it all.
    void noteAll() { wholeScreen_ = true; }
    // Shows what changed since the last present, once per pass; while held, keeps
    // gathering instead, so that the next present shows several passes' changes at once.
    void present();
    void hold(bool on) { held_ = on; }
    // Keeps a copy of exactly what was presented, so a test can see what reached the
    // window without reading it back through the video driver.
    void keepShadow(bool on);
    // The copy of what was presented, or null when none is kept. Owned by the presenter.
    SDL_Surface* shadow() const { return shadow_; }
    // Rectangles noted since the last present: a mark for touched.
    size_t noted() const { return rects_.size(); }
    // Whether a rectangle noted between marks `from` and `to` overlaps r; always true
    // while the whole screen is to be presented.
    bool touched(size_t from, size_t to, const SDL_Rect& r) const;
    // The screen area after merging rectangles, as they will be presented (for tests).
    const std::vector<SDL_Rect>& pending();

    // Reports a rectangle drawn on `target` to the attached presenter when `target` is
    // its screen; draws on any other surface are not the window's business.
    static void noteDraw(SDL_Surface* target, int x, int y, int w, int h);

private:
    void merge();
    void copyToShadow(const SDL_Rect& r);

    // The presenter the drawing code reports to. Sprites and particles reach the screen
    // through a bare surface pointer handed down at start-up; one pointer here saves
    // threading the presenter through every one of them.
    static screenPresenter* attached_;
    SDL_Surface* screen_ = nullptr; // not owned
    SDL_Surface* shadow_ = nullptr; // owned
    bool wholeScreen_ = true;
    bool held_ = false;
    std::vector<SDL_Rect> rects_; // clipped to the screen, not yet presented
};
