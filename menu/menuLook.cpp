#include "menu/menuLook.h"

#include <cstdio>

#include "datafile/loadReport.h"

namespace {

constexpr Uint8 kStageShade = 150; // how much of the black laid over the stage shows
constexpr Uint8 kPanelShade = 170;

SDL_Surface* loadPicture(const std::string& path) {
    SDL_Surface* raw = SDL_LoadBMP(path.c_str());
    if (!raw)
        return nullptr;
    SDL_Surface* shown = SDL_DisplayFormat(raw);
    SDL_FreeSurface(raw);
    return shown;
}

SDL_Surface* blackSheet(Uint8 alpha) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00, 0xff, 0);
    if (!s)
        return nullptr;
    SDL_FillRect(s, nullptr, 0);
    SDL_SetAlpha(s, SDL_SRCALPHA, alpha);
    return s;
}

} // namespace

menuLook::~menuLook() {
    for (SDL_Surface* s : {stage_, title_, shade_})
        if (s)
            SDL_FreeSurface(s);
}

void menuLook::load(const std::string& dataRoot) {
    loadReport quiet;
    if (!font.load(dataRoot + "/hud/font", &quiet) ||
        !titleFont.load(dataRoot + "/hud/bigfont", &quiet))
        printf("menu: no fonts in %s/hud; the menus show no text\n", dataRoot.c_str());
    stage_ = loadPicture(dataRoot + "/tBG2.bmp");
    if (stage_) {
        SDL_Surface* dark = blackSheet(kStageShade);
        if (dark) {
            SDL_BlitSurface(dark, nullptr, stage_, nullptr);
            SDL_FreeSurface(dark);
        }
    }
    title_ = loadPicture(dataRoot + "/hud/title.bmp");
    shade_ = blackSheet(kPanelShade);
}

void menuLook::drawBackground(SDL_Surface* screen) const {
    if (stage_)
        SDL_BlitSurface(stage_, nullptr, screen, nullptr);
    else
        SDL_FillRect(screen, nullptr, 0);
}

void menuLook::drawTitlePicture(SDL_Surface* screen) const {
    if (title_)
        SDL_BlitSurface(title_, nullptr, screen, nullptr);
    else
        drawBackground(screen);
}

void menuLook::drawPanel(SDL_Surface* screen, const SDL_Rect& box) const {
    if (!shade_)
        return;
    SDL_Rect from = {0, 0, box.w, box.h};
    SDL_Rect to = box;
    SDL_BlitSurface(shade_, &from, screen, &to);
}

void menuLook::centred(SDL_Surface* screen, const std::string& text, int y, bool big) const {
    const hudFont& f = big ? titleFont : font;
    f.draw(screen, text, 400 - f.width(text) / 2, y);
}
