#include "config/keyAssignment.h"

#include <cctype>

#include "SDL.h"

#include "config/controlsConfig.h"
#include "config/keyNames.h"

namespace {

std::string playerTag(int player) {
    return std::to_string(player + 1) + "P";
}

std::string keyText(int key) {
    return keyAssignment::shownName(key);
}

std::string padText(int pad) {
    return pad < 0 ? "THE KEYBOARD" : "PAD " + std::to_string(pad);
}

} // namespace

const char* keyAssignment::actionName(int action) {
    static const char* const kNames[kActions] = {"LEFT", "RIGHT", "UP", "DOWN", "A", "B", "C"};
    return action >= 0 && action < kActions ? kNames[action] : "?";
}

int* keyAssignment::keySlot(int player, int action) const {
    gamePad& p = controls_.players[player];
    int* slots[kActions] = {&p.keyLeft, &p.keyRight, &p.keyUp,  &p.keyDown,
                            &p.buttonA, &p.buttonB,  &p.buttonC};
    return slots[action];
}

int* keyAssignment::buttonSlot(int player, int which) const {
    gamePad& p = controls_.players[player];
    int* slots[kButtons] = {&p.joyButtonA, &p.joyButtonB, &p.joyButtonC};
    return slots[which];
}

std::string keyAssignment::shownName(int key) {
    static const struct {
        char c;
        const char* word;
    } kWords[] = {{',', "COMMA"},        {'/', "SLASH"},         {';', "SEMICOLON"},
                  {'[', "LEFT BRACKET"}, {']', "RIGHT BRACKET"}, {'\\', "BACKSLASH"},
                  {'=', "EQUALS"},       {'`', "BACKQUOTE"},     {'+', "PLUS"},
                  {'*', "STAR"}};
    std::string name = keynames::nameOf(key);
    // The keypad's keys are "[0]", "[+]"; "enter" and "equals" are words already.
    if (name.size() >= 3 && name.front() == '[' && name.back() == ']')
        name = "keypad " + name.substr(1, name.size() - 2);
    std::string out;
    for (char c : name) {
        const char* word = nullptr;
        for (const auto& w : kWords)
            if (c == w.c)
                word = w.word;
        out += word
                   ? std::string(word)
                   : std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return out;
}

int keyAssignment::key(int player, int action) const {
    return *keySlot(player, action);
}

int keyAssignment::button(int player, int which) const {
    return *buttonSlot(player, which);
}

std::string keyAssignment::reserved(int key) const {
    switch (key) {
    case SDLK_ESCAPE:
        return "ESCAPE QUITS AND GOES BACK";
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return "ENTER PAUSES AND CHOOSES";
    case SDLK_F11:
        return "F11 SWITCHES FULLSCREEN";
    default:
        break;
    }
    if (key == controls_.pauseKey)
        return keyText(key) + " PAUSES THE MATCH";
    if (key == controls_.overlayKey)
        return keyText(key) + " SHOWS THE BOXES";
    // A key without a name could not be written to the controls file.
    if (keynames::nameOf(key) == "unknown key" || keynames::keyFor(keynames::nameOf(key)) != key)
        return "THAT KEY HAS NO NAME THE CONTROLS FILE CAN HOLD";
    return "";
}

std::string keyAssignment::assignKey(int player, int action, int key, bool& changed) {
    changed = false;
    std::string tag = playerTag(player) + " " + actionName(action);
    if (std::string why = reserved(key); !why.empty())
        return "NOT " + keyText(key) + ": " + why;
    int* mine = keySlot(player, action);
    if (*mine == key)
        return tag + " STAYS " + keyText(key);
    // Either player's action on that key (not this one: it has another) takes this one's
    // old key: no key ever does two things, and nobody is left without one.
    for (int p = 0; p < 2; ++p)
        for (int a = 0; a < kActions; ++a) {
            int* other = keySlot(p, a);
            if (*other != key)
                continue;
            *other = *mine;
            *mine = key;
            changed = true;
            return "SWAPPED: " + playerTag(p) + " " + actionName(a) + " IS NOW " + keyText(*other);
        }
    *mine = key;
    changed = true;
    return tag + " IS NOW " + keyText(key);
}

std::string keyAssignment::assignButton(int player, int which, int button, bool& changed) {
    changed = false;
    std::string tag = playerTag(player) + " PAD " + actionName(4 + which);
    int* mine = buttonSlot(player, which);
    if (button < 0 || button > 99)
        return "NOT BUTTON " + std::to_string(button) + ": ONLY 0 TO 99";
    if (*mine == button)
        return tag + " STAYS BUTTON " + std::to_string(button);
    for (int b = 0; b < kButtons; ++b) {
        int* other = buttonSlot(player, b);
        if (other == mine || *other != button)
            continue;
        *other = *mine;
        *mine = button;
        changed = true;
        return "SWAPPED: " + playerTag(player) + " PAD " + actionName(4 + b) + " IS NOW BUTTON " +
               std::to_string(*other);
    }
    *mine = button;
    changed = true;
    return tag + " IS NOW BUTTON " + std::to_string(button);
}

// Keys given to both players while one was on a pad (a hand-written file may do that:
// a pad player's keys count for nobody) clash once both are on the keyboard.
std::string keyAssignment::sharedKey() const {
    if (controls_.players[0].joystickIndex >= 0 || controls_.players[1].joystickIndex >= 0)
        return "";
    for (int a = 0; a < kActions; ++a)
        for (int b = 0; b < kActions; ++b)
            if (key(0, a) == key(1, b))
                return std::string("1P ") + actionName(a) + " IS ALSO 2P " + actionName(b) +
                       ": CHANGE ONE";
    return "";
}

std::string keyAssignment::assignPad(int player, int pad, bool& changed) {
    changed = false;
    int& mine = controls_.players[player].joystickIndex;
    int& other = controls_.players[1 - player].joystickIndex;
    if (pad < kKeyboard || pad > 99)
        return "NOT PAD " + std::to_string(pad) + ": ONLY 0 TO 99";
    if (mine == pad)
        return playerTag(player) + " STAYS ON " + padText(pad);
    changed = true;
    if (pad >= 0 && other == pad) {
        other = mine;
        mine = pad;
        return "SWAPPED: " + playerTag(1 - player) + " IS NOW ON " + padText(other);
    }
    mine = pad;
    if (std::string shared = sharedKey(); !shared.empty())
        return shared;
    return playerTag(player) + " IS NOW ON " + padText(pad);
}
