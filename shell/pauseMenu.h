#pragma once

#include <memory>
#include <string>

#include "SDL.h"

#include "menu/menuList.h"

class Game;
class menuInput;
class menuLook;
class moveListPage;
class screenPresenter;

// What a choice on the pause menu asks of the match.
enum class pauseChoice {
    none,    // nothing yet: the menu stays
    resume,  // back to the fight
    restart, // the match again from round 1, the same pair
    quit,    // leave the match (to the menus, or out of the game)
    options, // the options page, after which the menu shows again
};

// The menu over a paused match: RESUME, MOVE LIST, OPTIONS, RESTART and QUIT (TO MENU),
// drawn over the fight as it stood, dimmed. The match runs it from its own pass, event by
// event, so the loop, the runner and the tests drive it as they drive the fight; it owns
// its pictures and gives the screen back exactly as it found it.
class pauseMenu {
public:
    pauseMenu();
    ~pauseMenu();
    pauseMenu(const pauseMenu&) = delete;
    pauseMenu& operator=(const pauseMenu&) = delete;

    // Keeps the picture of the fight and shows the menu, its cursor on RESUME.
    void open(Game& g);
    // Puts the fight's picture back on the screen, all of it to be presented again.
    void close(SDL_Surface* screen, screenPresenter& presenter);
    bool isOpen() const { return open_; }
    // One event while open: the pause key resumes from anywhere, Escape goes back a page
    // (or, when the match was started from the command line, ends the game).
    pauseChoice take(const SDL_Event& e);
    // Draws the menu when something changed since it was last drawn.
    void draw(SDL_Surface* screen, screenPresenter& presenter);
    // Everything is drawn again at the next draw (another page covered the screen).
    void redrawAll() { dirty_ = true; }

    const menuList& list() const { return list_; }
    // The move list while it shows; null otherwise.
    const moveListPage* moveList() const { return movesShown_ ? moves_.get() : nullptr; }

private:
    void keepFight(SDL_Surface* screen);
    void freePictures();
    pauseChoice choose();

    bool open_ = false;
    bool dirty_ = false;
    int pauseKey_ = 0;
    menuList list_;                       // the pause menu's entries
    std::unique_ptr<menuLook> look_;      // fonts and panels, loaded at the first pause
    std::unique_ptr<menuInput> input_;    // keys and pads into menu actions
    std::unique_ptr<moveListPage> moves_; // the move list, made at each pause
    bool movesShown_ = false;             // the move list is on the screen
    SDL_Surface* fight_ = nullptr;        // the screen as the pause found it, owned
    SDL_Surface* dimmed_ = nullptr;       // the same darkened, behind the menu, owned
    bool hasOptions_ = false;             // the game can show its options page
    bool fromMenu_ = false;               // the game's menus started the match
};
