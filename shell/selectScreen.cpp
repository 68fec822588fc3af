#include "shell/selectScreen.h"

#include <cstdio>

#include "ai/randomNumber.h"
#include "datafile/loadReport.h"
#include "platform/displayMode.h"
#include "platform/platform.h"
#include "shell/shell.h"

namespace {

constexpr int kFeetY = 430;    // where the fighters stand
constexpr int kNameY = 450;    // their names, under the feet
constexpr int kCursorGap = 30; // "1P" and "2P"/"CPU" this far over the heads
constexpr int kTitleY = 60;
constexpr int kPromptY = 560;       // the keys, at the bottom
constexpr Uint32 kShowPickMs = 600; // both picks stay on show this long

void blit(SDL_Surface* image, SDL_Surface* screen, int x, int y) {
    SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(image, nullptr, screen, &at);
}

} // namespace

selectScreen::~selectScreen() {
    if (stage_)
        SDL_FreeSurface(stage_);
}

bool selectScreen::load(const std::string& dataRoot, const std::vector<std::string>& roster) {
    names_ = roster;
    stage_ = ImageLoad(dataRoot + "/tBG2.bmp");
    // Without its stage the game stops at start-up with the reason; no choosing first.
    if (!stage_)
        return false;
    loadReport quiet;
    if (!font_.load(dataRoot + "/hud/font", &quiet) ||
        !titleFont_.load(dataRoot + "/hud/bigfont", &quiet))
        printf("select: no fonts in %s/hud; names are not shown\n", dataRoot.c_str());
    for (const std::string& name : roster) {
        standing_.push_back(std::make_unique<CSpriteBase>());
        loadNamedSheet(dataRoot + "/" + name, "standing", *standing_.back(), &quiet);
    }
    return true;
}

int selectScreen::columnX(int i) const {
    return 800 * (i + 1) / (static_cast<int>(names_.size()) + 1);
}

void selectScreen::move(int side, int by) {
    if (done_[side])
        return;
    int n = static_cast<int>(names_.size());
    cursor_[side] = (cursor_[side] + by + n) % n;
}

void selectScreen::pick(int side, int at, const char* how) {
    cursor_[side] = at;
    done_[side] = true;
    picked[side] = names_[at];
    printf("select: %s picks %s%s\n", side == 0 ? "player" : "opponent", picked[side].c_str(), how);
}

void selectScreen::readKey(const SDL_Event& e, const controlsConfig& keys, bool versus) {
    if (e.type == SDL_QUIT) {
        quit_ = true;
        return;
    }
    if (e.type != SDL_KEYDOWN)
        return;
    int key = e.key.keysym.sym;
    if (key == SDLK_ESCAPE) {
        quit_ = true;
        return;
    }
    for (int side = 0; side < (versus ? 2 : 1); ++side) {
        const gamePad& pad = keys.players[side];
        if (key == pad.keyLeft)
            move(side, -1);
        if (key == pad.keyRight)
            move(side, 1);
        bool confirm = key == pad.buttonA || (side == 0 && key == SDLK_RETURN);
        if (confirm && !done_[side])
            pick(side, cursor_[side], "");
    }
    // Against the computer its fighter is drawn as soon as the player has picked.
    if (!versus && !alone_ && done_[0] && !done_[1])
        pick(1, g_randomNumber.getNumber(static_cast<int>(names_.size())), " at random");
}

// "1P" left of the column's middle, "2P" or "CPU" right of it, so both fit over one
// fighter; a "!" once the side has picked.
void selectScreen::drawCursor(SDL_Surface* screen, int side) {
    std::string tag = side == 0 ? "1P" : versus_ ? "2P" : "CPU";
    tag += done_[side] ? "!" : "";
    int x = columnX(cursor_[side]) + (side == 0 ? -font_.width(tag) - 4 : 4);
    const frameInfo* f = standing_[cursor_[side]]->frameAt(0, true);
    int head = f && f->image ? kFeetY - f->anchorY + f->cBox.top : kFeetY - 200;
    font_.draw(screen, tag, x, head - kCursorGap);
}

void selectScreen::draw(SDL_Surface* screen) {
    if (stage_)
        blit(stage_, screen, 0, 0);
    else
        SDL_FillRect(screen, nullptr, 0);
    for (size_t i = 0; i < names_.size(); ++i) {
        int x = columnX(static_cast<int>(i));
        const frameInfo* f = standing_[i]->frameAt(0, true);
        if (f && f->image)
            blit(f->image, screen, x - f->anchorX, kFeetY - f->anchorY);
        // The font draws in capitals.
        const std::string& name = names_[i];
        font_.draw(screen, name, x - font_.width(name) / 2, kNameY);
    }
    drawCursor(screen, 0);
    // The computer's choice shows once it is made; a second player's as they choose.
    if (versus_ || (done_[1] && !alone_))
        drawCursor(screen, 1);
    const std::string title = "CHOOSE YOUR FIGHTER";
    titleFont_.draw(screen, title, 400 - titleFont_.width(title) / 2, kTitleY);
    std::string prompt = "LEFT RIGHT: CHOOSE  A: PICK  ESCAPE: QUIT";
    font_.draw(screen, prompt, 400 - font_.width(prompt) / 2, kPromptY);
}

bool selectScreen::run(SDL_Surface* screen, const controlsConfig& keys, bool versus, bool alone) {
    versus_ = versus;
    alone_ = alone;
    done_[1] = alone;
    // The second player starts at the other end, as they stand on the stage.
    cursor_[1] = names_.empty() ? 0 : static_cast<int>(names_.size()) - 1;
    watchFullscreenKeys();
    SDL_WM_SetCaption("brawler", "brawler");
    bool dirty = true;
    Uint32 bothAt = 0;
    for (;;) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            readKey(e, keys, versus);
            dirty = true;
        }
        if (quit_)
            return false;
        stopIfSignalArrived();
        if (fullscreenAsked())
            dirty = toggleFullscreen(screen) || dirty;
        if (dirty) {
            draw(screen);
            SDL_Flip(screen);
        }
        dirty = false;
        if (done_[0] && done_[1] && bothAt == 0)
            bothAt = SDL_GetTicks();
        if (bothAt && SDL_GetTicks() - bothAt >= kShowPickMs)
            return true;
        SDL_Delay(10);
    }
}
