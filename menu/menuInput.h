#pragma once

#include "SDL.h"

#include "config/controlsConfig.h"

// What a press means on a menu, whichever device it came from.
enum class menuAction {
    none,
    up,
    down,
    left,
    right,
    confirm, // Enter, a player's A button, a pad's A
    back,    // Escape, Backspace, a player's B button, a pad's B
    erase,   // Delete
    quit,    // the window's close
};

// Turns the events of the keyboard and of every pad into menu actions: the arrows,
// Enter, Escape, Backspace and Delete; each player's own direction keys and buttons A
// and B; a pad's hat, stick and buttons, as configured in the controls file. A stick
// counts once each time it is pushed past the middle, so a held stick moves a cursor
// one place, not a place per event.
class menuInput {
public:
    explicit menuInput(const controlsConfig& keys);
    ~menuInput();
    menuInput(const menuInput&) = delete;
    menuInput& operator=(const menuInput&) = delete;

    menuAction read(const SDL_Event& e);
    // The players' keys changed (in Options): the menus follow them.
    void setKeys(const controlsConfig& keys) { keys_ = keys; }

private:
    menuAction readKey(int key) const;
    menuAction readButton(int pad, int button) const;
    menuAction readAxis(int pad, int axis, int value);
    static menuAction readHat(int value);

    controlsConfig keys_;
    SDL_Joystick* pads_[8] = {}; // every pad plugged in, opened for their events
    int pushed_[8][2] = {};      // each pad's stick: -1, 0 or 1 on its two axes
};
