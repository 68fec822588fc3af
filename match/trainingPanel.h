#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SDL.h"

#include "match/hudFont.h"

class screenPresenter;

// One line of the input display: what the player held, and for how long.
struct inputShown {
    uint8_t held = 0; // inputFrame bits: directions and buttons held or pressed
    int steps = 0;    // steps of 11 ms it lasted
};

// What training shows over the fight in one pass.
struct trainingView {
    std::vector<inputShown> inputs;      // the player's last inputs, newest first
    std::vector<std::string> frameLines; // the last move's frame data, one line each
    std::string combo;                   // "3 HITS 214", empty for none
    std::string status;                  // the dummy's mode and recording, at the foot
    std::string keys;                    // the keys' line under it
};

// Training's layer over the fight: the input display down the left side, the frame
// data down the right, the combo counter under the life bars and the dummy's mode at the
// foot of the screen, each on a darkened plate. It is drawn as the HUD is: a part whose
// content changed is redrawn on clean stage before the scene saves its backgrounds, and
// a part a fighter was drawn over this pass gets its text drawn again on top.
class trainingPanel {
public:
    // The HUD's fonts in `hudFolder`; false (and no text, only the arrows) without them.
    bool load(const std::string& hudFolder);
    // The surfaces drawn on and restored from: the screen and the stage.
    void attach(SDL_Surface* screen, SDL_Surface* stage);
    void drawChanges(const trainingView& view);
    void drawOver(const screenPresenter& presenter, size_t mark);
    // Screen rectangle of a part as last drawn, for tests.
    SDL_Rect partRect(int part) const { return shown_[part].rect; }
    // Most lines the input display shows.
    static constexpr size_t kInputLines = 16;

    enum part { inputs, frames, combo, status, keys, partCount };

private:
    struct shownPart {
        SDL_Rect rect{0, 0, 0, 0}; // where it was drawn last; empty for nothing
        std::string key;           // what it showed, to see a change
    };
    std::string keyOf(int p, const trainingView& v) const;
    // Draws a part; with `plate`, on a darkened copy of the stage first.
    SDL_Rect drawPart(int p, const trainingView& v, bool plate);
    SDL_Rect drawLines(const hudFont& font, const std::vector<std::string>& lines, int x, int y,
                       bool rightAligned, bool plate);
    // Text in the small font, with '+' drawn where the font has no glyph for it.
    void drawText(const hudFont& font, const std::string& text, int x, int y);
    void drawArrow(uint8_t held, int x, int y);
    void dot(int x, int y, int size, Uint32 colour);
    void restoreStage(const SDL_Rect& r);
    void shadeStage(const SDL_Rect& r);

    SDL_Surface* screen_ = nullptr; // not owned
    SDL_Surface* stage_ = nullptr;  // not owned
    hudFont small_;                 // owned
    hudFont big_;                   // owned
    trainingView last_;             // the view drawn last, for drawing over
    shownPart shown_[partCount];
};
