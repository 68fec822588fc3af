#pragma once

#include "SDL.h"

// Keys fed to the game without a keyboard, for tests and the headless fight runner:
// the controller takes presses from SDL's event queue and reads held keys from SDL's
// key-state array, so a fed key does both, as a real key would.

// A key going down: a key-down event and the key held in the key-state array.
void feedKeyDown(SDLKey key);
// A key coming up: a key-up event and the key lifted in the key-state array.
void feedKeyUp(SDLKey key);
// Only the key-state array: a key seen as held (or not) without an event.
void feedKeyHeld(SDLKey key, bool down);
