#pragma once

#include "SDL.h"

// Fullscreen on F11 or Alt+Enter, whatever part of the game reads the keys: an event
// filter takes those presses out of the queue before any controller sees them (Enter
// alone still pauses a match), and the loop switches between its passes.
void watchFullscreenKeys();
// Whether a switch was asked for since the last call.
bool fullscreenAsked();
// Switches the window between fullscreen and a window; the screen surface and what is
// drawn on it stay. False when the display cannot switch.
bool toggleFullscreen(SDL_Surface* screen);
