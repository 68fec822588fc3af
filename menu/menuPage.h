#pragma once

#include "SDL.h"

#include "menu/menuInput.h"
#include "menu/menuList.h"

class menuLook;

// What a page wants after an action.
enum class menuStep {
    stay,  // go on showing the page
    leave, // the page is done: its owner reads what was chosen
    quit,  // the game ends (the window was closed)
};

// One screen of the front end: a list, what the page does with each action, and how it
// is drawn. Up and down move the list's cursor before the page hears them.
class menuPage {
public:
    virtual ~menuPage() = default;
    menuList list;

    // Every action, and the event it came from (a page that waits for a key to assign
    // reads the event itself).
    virtual menuStep act(menuAction action, const SDL_Event& event) = 0;
    // The background and the list; a page with more to show draws it after.
    virtual void draw(SDL_Surface* screen, const menuLook& look);
    // Whether the page takes raw keys now (a key being assigned): then no key moves the
    // cursor and every event goes to act as it is.
    virtual bool rawKeys() const { return false; }
    // A page whose picture changes by itself (a blinking line) is redrawn this often;
    // 0 when only actions change it.
    virtual Uint32 redrawEveryMs() const { return 0; }
};

// Shows `page` until it leaves (true) or the game is to end (false): the window closed,
// or the page said quit. Stop signals and the fullscreen keys work as in a match. The
// loop sleeps between polls and draws only what changed, so a menu costs next to no
// processor time.
bool showPage(SDL_Surface* screen, const menuLook& look, menuInput& input, menuPage& page);
