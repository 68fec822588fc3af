#include "control/deviceInput.h"

#include "control/gamepad.h"

namespace {

constexpr int kDeadZone = 3200; // stick values this close to centre count as centred

bool keyHeld(const Uint8* keys, int count, int key) {
    return keys && key >= 0 && key < count && keys[key] != 0;
}

} // namespace

void deviceInput::attach(const gamePad* pad) {
    pad_ = pad;
    joystick_ = nullptr;
    pending_ = inputFrame{};
    if (pad_ && pad_->joystickIndex > -1)
        joystick_ = SDL_JoystickOpen(pad_->joystickIndex);
}

void deviceInput::take(const SDL_Event& event) {
    if (!pad_)
        return;
    if (pad_->joystickIndex == -1) {
        if (event.type == SDL_KEYDOWN)
            takeKey(event.key.keysym.sym);
        return;
    }
    takeJoystick(event);
}

// A key may stand for more than one thing in a mapping; each is pressed, in the order
// the controller has always read them.
void deviceInput::takeKey(int sym) {
    const gamePad& p = *pad_;
    if (sym == p.buttonA)
        pending_.press(inputFrame::buttonA);
    if (sym == p.buttonB)
        pending_.press(inputFrame::buttonB);
    if (sym == p.buttonC)
        pending_.press(inputFrame::buttonC);
    if (sym == p.keyUp)
        pending_.press(inputFrame::up);
    if (sym == p.keyDown)
        pending_.press(inputFrame::down);
    if (sym == p.keyRight)
        pending_.press(inputFrame::right);
    if (sym == p.keyLeft)
        pending_.press(inputFrame::left);
}

void deviceInput::takeJoystick(const SDL_Event& event) {
    const gamePad& p = *pad_;
    // Two players may each have a pad: only this player's own counts.
    if (event.type == SDL_JOYBUTTONDOWN && event.jbutton.which == p.joystickIndex) {
        int button = event.jbutton.button;
        if (button == p.joyButtonA)
            pending_.press(inputFrame::buttonA);
        if (button == p.joyButtonB)
            pending_.press(inputFrame::buttonB);
        if (button == p.joyButtonC)
            pending_.press(inputFrame::buttonC);
        return;
    }
    if (event.type != SDL_JOYAXISMOTION || event.jaxis.which != p.joystickIndex)
        return;
    int value = event.jaxis.value;
    if (value >= -kDeadZone && value <= kDeadZone)
        return;
    if (event.jaxis.axis == 0)
        pending_.press(value > 0 ? inputFrame::right : inputFrame::left);
    else if (event.jaxis.axis == 1)
        pending_.press(value > 0 ? inputFrame::down : inputFrame::up);
}

uint8_t deviceInput::heldNow() const {
    uint8_t held = 0;
    if (pad_->joystickIndex == -1) {
        int count = 0;
        const Uint8* keys = SDL_GetKeyState(&count);
        const gamePad& p = *pad_;
        const int keysOf[] = {p.keyLeft, p.keyRight, p.keyUp,  p.keyDown,
                              p.buttonA, p.buttonB,  p.buttonC};
        for (int i = 0; i < 7; ++i)
            if (keyHeld(keys, count, keysOf[i]))
                held |= static_cast<uint8_t>(1u << i);
        return held;
    }
    int h = joystick_ ? SDL_JoystickGetAxis(joystick_, 0) : 0;
    int v = joystick_ ? SDL_JoystickGetAxis(joystick_, 1) : 0;
    if (h < -kDeadZone)
        held |= inputFrame::left;
    if (h > kDeadZone)
        held |= inputFrame::right;
    if (v < -kDeadZone)
        held |= inputFrame::up;
    if (v > kDeadZone)
        held |= inputFrame::down;
    return held;
}

inputFrame deviceInput::frame() {
    inputFrame f = pending_;
    pending_ = inputFrame{};
    if (pad_)
        f.held = heldNow();
    return f;
}

void deviceInput::clear() {
    pending_ = inputFrame{};
}
