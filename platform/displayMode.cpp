#include "platform/displayMode.h"

#include <cstdio>

namespace {

// Set from SDL's event pump, read by the loop on the same thread.
bool asked = false;

int takeFullscreenKeys(const SDL_Event* e) {
    if (e->type != SDL_KEYDOWN)
        return 1;
    SDLKey key = e->key.keysym.sym;
    bool altEnter = key == SDLK_RETURN && (e->key.keysym.mod & KMOD_ALT);
    if (key != SDLK_F11 && !altEnter)
        return 1;
    asked = true;
    return 0;
}

} // namespace

void watchFullscreenKeys() {
    SDL_SetEventFilter(takeFullscreenKeys);
}

bool fullscreenAsked() {
    bool was = asked;
    asked = false;
    return was;
}

bool toggleFullscreen(SDL_Surface* screen) {
    if (!screen || SDL_WM_ToggleFullScreen(screen) == 0) {
        printf("fullscreen: the display cannot switch (%s)\n", SDL_GetError());
        return false;
    }
    printf((screen->flags & SDL_FULLSCREEN) ? "fullscreen: on\n" : "fullscreen: off\n");
    return true;
}
