#pragma once

#include <cstddef>
#include <string>

#include "SDL.h"

#include "match/hudFont.h"
#include "sprite/CSpriteBase.h"

class screenPresenter;

// What the HUD shows in one pass. Index 0 is the player's side (left), 1 the opponent's.
struct hudView {
    int hp[2] = {0, 0};       // hit points now
    int maxHp[2] = {1, 1};    // hit points of a full bar
    int trailTop[2] = {0, 0}; // top of the damage just taken, in hit points
    int seconds = -1;         // the round timer, -1 for none
    int wins[2] = {0, 0};     // rounds taken
    int winsNeeded = 2;       // rounds that take the match: one marker each
    std::string banner;       // the middle of the screen, empty for none
    std::string prompt;       // the line under the banner, empty for none
};

// The match's heads-up display: life bars with their names and side tags, the round
// timer, round markers, banners. Its pictures are sprite sheets in data/hud; without them
// the bars are plain filled rectangles and there is no text.
//
// It is drawn as the top layer of the scene with the scene's own save and restore: a
// part whose content changes is redrawn between the scene's restores and saves (on clean
// stage, so every saved background holds the HUD as it now is), and after the scene's
// draws every part that a fighter or particle was drawn over this pass is drawn again on
// top. Parts that changed nothing and were not drawn over cost nothing.
class hud {
public:
    hud();
    // Reads the pictures from `folder`; false, after one warning on standard error, when
    // they cannot be used: the plain bars are drawn then.
    bool load(const std::string& folder);
    bool pictures() const { return pictures_; }
    // The surfaces drawn on and restored from: the screen and the stage.
    void attach(SDL_Surface* screen, SDL_Surface* stage);
    // The words over each bar, e.g. "1P BRAWLER" and "BRAWLER CPU".
    void setLabels(const std::string& left, const std::string& right);
    // Redraws on clean stage every part whose content differs from what is shown.
    void drawChanges(const hudView& view);
    // Draws again every part that a rectangle the presenter noted since `mark` overlaps.
    void drawOver(const screenPresenter& presenter, size_t mark);
    // Screen rectangle of a part, for tests: 0, 1 bars; 4 timer; 7 banner.
    SDL_Rect partRect(int part) const { return shown_[part].rect; }

    enum part {
        barLeft,
        barRight,
        labelLeft,
        labelRight,
        timer,
        markersLeft,
        markersRight,
        banner,
        prompt,
        partCount
    };

private:
    struct shownPart {
        SDL_Rect rect{0, 0, 0, 0}; // where it was drawn last; empty for nothing
        std::string key;           // what it showed, to see a change
        bool drawn = false;        // drawn at least once
    };
    std::string keyOf(int p, const hudView& v) const;
    SDL_Rect drawPart(int p, const hudView& v);
    SDL_Rect drawBar(int side, const hudView& v);
    SDL_Rect drawPlainBar(int side, const hudView& v);
    SDL_Rect drawMarkers(int side, const hudView& v);
    SDL_Rect drawCentred(const hudFont& font, const std::string& text, int y);
    void restoreStage(const SDL_Rect& r);
    void fill(const SDL_Rect& r, Uint8 red, Uint8 green, Uint8 blue);
    void layOut();

    SDL_Surface* screen_ = nullptr; // not owned
    SDL_Surface* stage_ = nullptr;  // not owned
    bool pictures_ = false;         // the sheets loaded and usable
    CSpriteBase bar_;               // plate, fill, damage; owned
    CSpriteBase marker_;            // round not won, round won; owned
    hudFont small_;                 // names, tags, prompt
    hudFont big_;                   // timer and banners
    std::string labels_[2];
    hudView last_; // the view drawn last, for drawing over
    shownPart shown_[partCount];
    // Layout in screen pixels, from the pictures' sizes.
    int barW_ = 330, barH_ = 20;     // the plate
    SDL_Rect inside_{3, 3, 324, 14}; // where life shows, in plate pixels (unmirrored)
    int barX_[2] = {0, 0};           // left edge of each plate
    int barY_ = 30;
    int markerW_ = 12, markerH_ = 12;
};
