#pragma once

#include <string>

#include "config/keyAssignment.h"
#include "menu/menuPage.h"

class controlsConfig;

// One player's controls: a key for each action (Enter, then the key), the pad they
// play with (Left and Right: the keyboard or pad 0, 1, ...) and its buttons A, B, C
// (Enter, then the pad's button). Escape cancels a key being waited for; otherwise it
// goes back. A key another action has swaps with it, and the message says so.
class keysPage : public menuPage {
public:
    // Changes `controls` and tells `input` of every change; both belong to the caller.
    keysPage(int player, controlsConfig& controls, menuInput& input);

    menuStep act(menuAction action, const SDL_Event& event) override;
    bool rawKeys() const override { return waiting_ >= 0; }
    // Whether a key, button or pad was changed since the page opened.
    bool changed = false;

private:
    enum row { firstKey = 0, pad = keyAssignment::kActions, firstButton, back = firstButton + 3 };
    void refresh();
    menuStep waitFor(const SDL_Event& event);
    void stepPad(int by);

    int player_;               // 0 for 1P, 1 for 2P
    controlsConfig& controls_; // both players' keys: a swap may change the other's
    menuInput& input_;         // told of every change, so the menus follow the new keys
    keyAssignment assign_;     // the swap rules, over controls_
    int waiting_ = -1;         // the row whose key or button the next press gives, -1 for none
};
