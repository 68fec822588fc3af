#include "shell/pauseMenu.h"

#include <cstdio>

#include "menu/menuInput.h"
#include "menu/menuLook.h"
#include "menu/moveListPage.h"
#include "platform/screenPresenter.h"
#include "platform/traceLog.h"
#include "shell/game.h"
#include "shell/shell.h"

namespace {

constexpr Uint8 kDim = 120; // how much black lies over the fight behind the menu

const char* const kResume = "RESUME";
const char* const kMoveList = "MOVE LIST";
const char* const kOptions = "OPTIONS";
const char* const kRestart = "RESTART";
const char* const kQuitToMenu = "QUIT TO MENU";
const char* const kQuit = "QUIT";

std::string capitals(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

SDL_Surface* copyOf(SDL_Surface* from) {
    SDL_Surface* to =
        SDL_CreateRGBSurface(SDL_SWSURFACE, from->w, from->h, from->format->BitsPerPixel,
                             from->format->Rmask, from->format->Gmask, from->format->Bmask, 0);
    if (to)
        SDL_BlitSurface(from, nullptr, to, nullptr);
    return to;
}

} // namespace

pauseMenu::pauseMenu() = default;

pauseMenu::~pauseMenu() {
    freePictures();
}

void pauseMenu::freePictures() {
    for (SDL_Surface** s : {&fight_, &dimmed_})
        if (*s) {
            SDL_FreeSurface(*s);
            *s = nullptr;
        }
}

void pauseMenu::keepFight(SDL_Surface* screen) {
    freePictures();
    if (!screen)
        return;
    fight_ = copyOf(screen);
    dimmed_ = copyOf(screen);
    SDL_Surface* black =
        SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, 32, 0xff0000, 0xff00, 0xff, 0);
    if (black && dimmed_) {
        SDL_FillRect(black, nullptr, 0);
        SDL_SetAlpha(black, SDL_SRCALPHA, kDim);
        SDL_BlitSurface(black, nullptr, dimmed_, nullptr);
    }
    if (black)
        SDL_FreeSurface(black);
}

void pauseMenu::open(Game& g) {
    if (!look_) {
        look_ = std::make_unique<menuLook>();
        look_->load(g.dataRoot);
    }
    if (!input_)
        input_ = std::make_unique<menuInput>(g.controls);
    pauseKey_ = g.controls.pauseKey;
    hasOptions_ = static_cast<bool>(g.openOptions);
    list_ = menuList{};
    list_.title = "PAUSED";
    list_.entries = {{kResume, ""}, {kMoveList, ""}};
    if (hasOptions_)
        list_.entries.push_back({kOptions, ""});
    list_.entries.push_back({kRestart, ""});
    list_.entries.push_back({g.fromMenu ? kQuitToMenu : kQuit, ""});
    fromMenu_ = g.fromMenu;
    list_.hint = fromMenu_ ? "ENTER: CHOOSE   ESCAPE: RESUME" : "ENTER: CHOOSE   ESCAPE: QUIT";
    // The move list is made now, while the game's moves are at hand: the player's, and
    // in versus the second player's too.
    auto page = std::make_unique<moveListPage>();
    page->pauseKey = pauseKey_;
    page->addSide("1P " + capitals(g.playerCharacter), g.moves);
    if (g.versusMode && g.basicAI.moveBank)
        page->addSide("2P " + capitals(g.opponentCharacter), *g.basicAI.moveBank);
    moves_ = std::move(page);
    movesShown_ = false;
    keepFight(screen);
    open_ = true;
    dirty_ = true;
}

void pauseMenu::close(SDL_Surface* screen, screenPresenter& presenter) {
    if (fight_ && screen)
        SDL_BlitSurface(fight_, nullptr, screen, nullptr);
    presenter.noteAll();
    freePictures();
    moves_.reset();
    movesShown_ = false;
    open_ = false;
}

pauseChoice pauseMenu::take(const SDL_Event& e) {
    if (!open_)
        return pauseChoice::none;
    if (e.type == SDL_KEYDOWN && pauseKey_ != 0 && e.key.keysym.sym == pauseKey_)
        return pauseChoice::resume;
    menuAction a = input_ ? input_->read(e) : menuAction::none;
    if (a == menuAction::none || a == menuAction::quit)
        return pauseChoice::none;
    dirty_ = true;
    if (movesShown_) {
        if (a == menuAction::up || a == menuAction::down)
            moves_->list.move(a == menuAction::up ? -1 : 1);
        if (moves_->act(a, e) != menuStep::stay)
            movesShown_ = false;
        return pauseChoice::none;
    }
    // Started from the command line, Escape ends the game wherever it is pressed, as it
    // always has; Backspace and B still resume.
    if (!fromMenu_ && e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE)
        return pauseChoice::quit;
    switch (a) {
    case menuAction::up:
    case menuAction::down:
        list_.move(a == menuAction::up ? -1 : 1);
        return pauseChoice::none;
    case menuAction::back:
        return pauseChoice::resume;
    case menuAction::confirm:
        return choose();
    default:
        return pauseChoice::none;
    }
}

pauseChoice pauseMenu::choose() {
    std::string chosen = list_.chosen();
    if (chosen == kMoveList) {
        movesShown_ = moves_ != nullptr;
        if (moves_)
            moves_->list.cursor = 0;
        tracef("pause: move list\n");
        return pauseChoice::none;
    }
    if (chosen == kOptions)
        return pauseChoice::options;
    if (chosen == kRestart)
        return pauseChoice::restart;
    if (chosen == kQuitToMenu || chosen == kQuit)
        return pauseChoice::quit;
    return pauseChoice::resume;
}

void pauseMenu::draw(SDL_Surface* screen, screenPresenter& presenter) {
    if (!open_ || !dirty_ || !screen)
        return;
    dirty_ = false;
    if (movesShown_) {
        moves_->backdrop = dimmed_;
        moves_->draw(screen, *look_);
    } else {
        if (dimmed_)
            SDL_BlitSurface(dimmed_, nullptr, screen, nullptr);
        else
            look_->drawBackground(screen);
        list_.draw(screen, *look_);
    }
    presenter.noteAll();
}
