#pragma once

#include <string>

#include "SDL.h"

#include "match/hudFont.h"

// What every menu is drawn with: the stage dimmed behind a panel, the HUD's two fonts,
// and the title picture. Each is optional: a menu without its pictures is drawn on
// black, without its fonts it is still driven by the keys (and the trace says so).
class menuLook {
public:
    menuLook() = default;
    ~menuLook();
    menuLook(const menuLook&) = delete;
    menuLook& operator=(const menuLook&) = delete;

    // Reads dataRoot's stage, title picture and fonts.
    void load(const std::string& dataRoot);
    // The dimmed stage, or the title picture, over the whole screen.
    void drawBackground(SDL_Surface* screen) const;
    void drawTitlePicture(SDL_Surface* screen) const;
    // A darker box where a menu's lines go, so they read over any picture.
    void drawPanel(SDL_Surface* screen, const SDL_Rect& box) const;
    // Text centred on x = 400 with its top at y, in the small or the big font.
    void centred(SDL_Surface* screen, const std::string& text, int y, bool big = false) const;

    hudFont font;      // entries, values and hints
    hudFont titleFont; // a menu's title

private:
    SDL_Surface* stage_ = nullptr; // the stage darkened, owned
    SDL_Surface* title_ = nullptr; // the title picture, owned; null without one
    SDL_Surface* shade_ = nullptr; // black at half strength for panels, owned
};
