#pragma once

#include <functional>
#include <string>

#include "SDL.h"

#include "config/gameSettings.h"
#include "config/optionsPlaces.h"
#include "menu/menuPage.h"

class controlsConfig;
class menuLook;

// What a change of the settings is to do at once (the volumes to the mixer); called
// after every change made on the page.
using applySettings = std::function<void(const gameSettings&)>;

// The options: each player's keys and pad (a page of their own), the volumes, the
// window, and how a match is played. Left and Right change a value, and a volume or
// fullscreen change is applied at once. Leaving saves the controls file and the settings
// file; one that cannot be written is said on the screen and on standard error, and the
// game goes on.
class optionsPage : public menuPage {
public:
    // The screen, look, input, controls and settings belong to the caller and must outlive
    // the page; the places and the callback are copied.
    optionsPage(SDL_Surface* screen, const menuLook& look, menuInput& input,
                controlsConfig& controls, gameSettings& settings, const optionsPlaces& files,
                const applySettings& apply);

    menuStep act(menuAction action, const SDL_Event& event) override;
    // F11 or Alt+Enter switch the window on this page too: the FULLSCREEN line follows.
    void draw(SDL_Surface* screen, const menuLook& look) override;
    // Writes both files; false, with the message on the page, when one could not be.
    bool save();

private:
    void refresh();
    void change(int field, int by);
    menuStep openKeys(int player);

    SDL_Surface* screen_;      // drawn on, and switched to fullscreen and back
    const menuLook& look_;     // for the keys pages opened from here
    menuInput& input_;         // told of every key changed
    controlsConfig& controls_; // the keys changed here, saved on leaving
    gameSettings& settings_;   // the settings changed here, saved on leaving
    optionsPlaces files_;      // where both are saved (copied: a caller may pass a temporary)
    applySettings apply_;      // called after each change; may be empty
    bool unsaved_ = false;     // the last Back could not save: the next one leaves anyway
};

// Shows the options until Back or Escape (true) or the window's close (false); both
// save the files. The trace says "screen: options" and "options: saved FILE".
bool runOptions(SDL_Surface* screen, const menuLook& look, menuInput& input,
                controlsConfig& controls, gameSettings& settings, const optionsPlaces& files,
                const applySettings& apply);
