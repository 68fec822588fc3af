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
        windowClosed = true;
        return;
    }
    if (e.type != SDL_KEYDOWN)
        return;
    int key = e.key.keysym.sym;
    if (key == SDLK_ESCAPE) {
        quit_ = true;
        return;
    }
    if (peer_) {
        readOwnKey(key, keys.players[0], peer_->localSide, true);
        return;
    }
    for (int side = 0; side < (versus ? 2 : 1); ++side)
        readOwnKey(key, keys.players[side], side, side == 0);
    // Against the computer its fighter is drawn as soon as the player has picked.
    if (!versus && done_[0] && !done_[1])
        pick(1, g_randomNumber.getNumber(static_cast<int>(names_.size())), " at random");
}

// One player's keys on their side's cursor; Enter picks too for the first player at this
// keyboard.
void selectScreen::readOwnKey(int key, const gamePad& pad, int side, bool enterPicks) {
    if (key == pad.keyLeft)
        move(side, -1);
    if (key == pad.keyRight)
        move(side, 1);
    bool confirm = key == pad.buttonA || (enterPicks && key == SDLK_RETURN);
    if (confirm && !done_[side])
        pick(side, cursor_[side], "");
}

void selectScreen::preselect(int side, const std::string& name) {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            pick(side, static_cast<int>(i), "");
}

bool selectScreen::exchange(int& toldCursor, bool& toldPicked) {
    int own = peer_->localSide;
    if (cursor_[own] != toldCursor || done_[own] != toldPicked) {
        toldCursor = cursor_[own];
        toldPicked = done_[own];
        peer_->tell(toldCursor, toldPicked);
    }
    int other = 1 - own;
    int cursor = cursor_[other];
    bool picked = done_[other];
    if (!peer_->hear(cursor, picked)) {
        peer_->gone = true;
        return false;
    }
    int n = static_cast<int>(names_.size());
    if (cursor >= 0 && cursor < n && !done_[other]) {
        cursor_[other] = cursor;
        if (picked)
            pick(other, cursor, " on the other machine");
    }
    return true;
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
    if (versus_ || done_[1])
        drawCursor(screen, 1);
    const std::string title = "CHOOSE YOUR FIGHTER";
    titleFont_.draw(screen, title, 400 - titleFont_.width(title) / 2, kTitleY);
    std::string prompt = "LEFT RIGHT: CHOOSE  A: PICK  ESCAPE: QUIT";
    font_.draw(screen, prompt, 400 - font_.width(prompt) / 2, kPromptY);
}

bool selectScreen::run(SDL_Surface* screen, const controlsConfig& keys, bool versus,
                       selectPeer* peer) {
    peer_ = peer;
    versus_ = versus || peer;
    // The second player starts at the other end, as they stand on the stage.
    if (!done_[1])
        cursor_[1] = names_.empty() ? 0 : static_cast<int>(names_.size()) - 1;
    int toldCursor = -1;
    bool toldPicked = false;
    printf("screen: select\n");
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
        if (peer_) {
            int before = cursor_[1 - peer_->localSide];
            bool pickedBefore = done_[1 - peer_->localSide];
            if (!exchange(toldCursor, toldPicked))
                return false;
            dirty = dirty || before != cursor_[1 - peer_->localSide] ||
                    pickedBefore != done_[1 - peer_->localSide];
        }
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
