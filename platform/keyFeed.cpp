#include "platform/keyFeed.h"

namespace {

void pushKeyEvent(SDLKey key, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.type = e.type;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

} // namespace

void feedKeyDown(SDLKey key) {
    pushKeyEvent(key, true);
    feedKeyHeld(key, true);
}

void feedKeyUp(SDLKey key) {
    pushKeyEvent(key, false);
    feedKeyHeld(key, false);
}

void feedKeyHeld(SDLKey key, bool down) {
    int count = 0;
    Uint8* keys = SDL_GetKeyState(&count);
    // Under the dummy video driver nothing else writes this array between passes.
    if (keys && key >= 0 && key < count)
        keys[key] = down ? 1 : 0;
}
