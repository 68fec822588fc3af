#include "shell/statusScreen.h"

#include "datafile/loadReport.h"
#include "platform/displayMode.h"
#include "platform/platform.h"
#include "shell/shell.h"

namespace {

constexpr int kLineY = 260;
constexpr int kBelowY = 330;

} // namespace

statusScreen::~statusScreen() {
    if (stage_)
        SDL_FreeSurface(stage_);
}

void statusScreen::load(const std::string& dataRoot) {
    stage_ = ImageLoad(dataRoot + "/tBG2.bmp");
    loadReport quiet;
    font_.load(dataRoot + "/hud/font", &quiet);
    titleFont_.load(dataRoot + "/hud/bigfont", &quiet);
}

bool statusScreen::show(SDL_Surface* screen, const std::string& line, const std::string& below) {
    SDL_Event e;
    bool leave = false;
    while (SDL_PollEvent(&e))
        leave = leave || e.type == SDL_QUIT ||
                (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE);
    stopIfSignalArrived();
    bool redraw = fullscreenAsked() && toggleFullscreen(screen);
    if (!screen || (!redraw && shown_ == line + "\n" + below))
        return !leave;
    shown_ = line + "\n" + below;
    if (stage_) {
        SDL_BlitSurface(stage_, nullptr, screen, nullptr);
    } else {
        SDL_FillRect(screen, nullptr, 0);
    }
    titleFont_.draw(screen, line, 400 - titleFont_.width(line) / 2, kLineY);
    font_.draw(screen, below, 400 - font_.width(below) / 2, kBelowY);
    SDL_Flip(screen);
    return !leave;
}
