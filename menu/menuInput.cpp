#include "menu/menuInput.h"

namespace {

constexpr int kStickPast = 16000; // how far a stick goes before it counts as pushed
constexpr int kMaxPads = 8;

} // namespace

menuInput::menuInput(const controlsConfig& keys) : keys_(keys) {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0)
        return;
    SDL_JoystickEventState(SDL_ENABLE);
    for (int i = 0; i < SDL_NumJoysticks() && i < kMaxPads; ++i)
        pads_[i] = SDL_JoystickOpen(i);
}

menuInput::~menuInput() {
    for (SDL_Joystick* pad : pads_)
        if (pad)
            SDL_JoystickClose(pad);
}

menuAction menuInput::read(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        return menuAction::quit;
    case SDL_KEYDOWN:
        return readKey(e.key.keysym.sym);
    case SDL_JOYBUTTONDOWN:
        return readButton(e.jbutton.which, e.jbutton.button);
    case SDL_JOYHATMOTION:
        return readHat(e.jhat.value);
    case SDL_JOYAXISMOTION:
        return readAxis(e.jaxis.which, e.jaxis.axis, e.jaxis.value);
    default:
        return menuAction::none;
    }
}

menuAction menuInput::readKey(int key) const {
    switch (key) {
    case SDLK_UP:
        return menuAction::up;
    case SDLK_DOWN:
        return menuAction::down;
    case SDLK_LEFT:
        return menuAction::left;
    case SDLK_RIGHT:
        return menuAction::right;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return menuAction::confirm;
    case SDLK_ESCAPE:
    case SDLK_BACKSPACE:
        return menuAction::back;
    case SDLK_DELETE:
        return menuAction::erase;
    default:
        break;
    }
    // Each player's own keys work too, so nobody has to reach for the arrows.
    for (const gamePad& pad : keys_.players) {
        if (key == pad.keyUp)
            return menuAction::up;
        if (key == pad.keyDown)
            return menuAction::down;
        if (key == pad.keyLeft)
            return menuAction::left;
        if (key == pad.keyRight)
            return menuAction::right;
        if (key == pad.buttonA)
            return menuAction::confirm;
        if (key == pad.buttonB)
            return menuAction::back;
    }
    return menuAction::none;
}

// A pad a player set up answers with their buttons; any other pad with 0 and 1, the
// usual A and B.
menuAction menuInput::readButton(int pad, int button) const {
    for (const gamePad& p : keys_.players)
        if (p.joystickIndex == pad) {
            if (button == p.joyButtonA)
                return menuAction::confirm;
            if (button == p.joyButtonB)
                return menuAction::back;
            return menuAction::none;
        }
    if (button == 0)
        return menuAction::confirm;
    if (button == 1)
        return menuAction::back;
    return menuAction::none;
}

menuAction menuInput::readHat(int value) {
    if (value & SDL_HAT_UP)
        return menuAction::up;
    if (value & SDL_HAT_DOWN)
        return menuAction::down;
    if (value & SDL_HAT_LEFT)
        return menuAction::left;
    if (value & SDL_HAT_RIGHT)
        return menuAction::right;
    return menuAction::none;
}

menuAction menuInput::readAxis(int pad, int axis, int value) {
    if (pad < 0 || pad >= kMaxPads || axis < 0 || axis > 1)
        return menuAction::none;
    int now = value > kStickPast ? 1 : value < -kStickPast ? -1 : 0;
    int& was = pushed_[pad][axis];
    if (now == was)
        return menuAction::none;
    was = now;
    if (now == 0)
        return menuAction::none;
    if (axis == 0)
        return now < 0 ? menuAction::left : menuAction::right;
    return now < 0 ? menuAction::up : menuAction::down;
}
