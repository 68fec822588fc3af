#pragma once

#include <functional>

// A window destroyed from outside (another program destroying it, or killing the game's
// link to the display) ends the game as the window's close button does, instead of
// Xlib's message and exit code 1. Only where the game is built with Xlib; elsewhere
// (and under SDL's dummy driver) these do nothing.

// Installs the handlers; before SDL opens the display, so SDL's own handler hands the
// errors it does not know on to them.
void watchWindowLoss();
// What to keep when the link to the display is gone and the game cannot go on drawing
// (the match's replay): run once, then the game ends with exit code 0. An empty function
// keeps nothing.
void onDisplayLost(std::function<void()> keep);
