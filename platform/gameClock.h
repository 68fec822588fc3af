#pragma once

#include <functional>

#include "SDL.h"

// The game's one millisecond clock. Everything timed in the game (sprite frames,
// particle lifetimes, the particle list's spawn pass, the controllers' steps) reads it,
// so that a test or a tool can run the game on a clock of its own and replay a fight
// exactly. It reads SDL's tick count unless another source has been installed.
Uint32 gameTicks();
// Installs a source of milliseconds in place of SDL's tick count; an empty function
// puts SDL's back.
void setGameClock(std::function<Uint32()> source);
// Stops the game's time (true) or lets it go on from where it stopped (false): while
// stopped gameTicks() stays put, and afterwards it runs on without the time spent
// stopped, so nothing jumps ahead. Installing a source starts it running afresh.
void pauseGameClock(bool paused);
// Holds gameTicks() at `ms` until unpinned: a fight's step, and the picture drawn after
// it, see the step's own time whatever the real clock reads, so a step run again sees
// the same time. Pausing and installing a source leave a pin alone.
void pinGameClock(Uint32 ms);
void unpinGameClock();
// The clock as it would read without a pin: what the steps are due by.
Uint32 unpinnedTicks();
