#pragma once

#include <functional>

// Detaches the game from its console window where the platform has one; the trace
// keeps going to standard output everywhere.
void hideConsoleWindow();

// Ctrl-C and TERM are caught so that the game can finish the pass and write out the
// trace it has buffered before it stops; a log of a stopped game is then complete.
void installStopSignals();
// Whether a stop signal has arrived since installStopSignals.
bool stopSignalArrived();
// Writes out the buffered trace, then stops as the signal would have stopped the game.
[[noreturn]] void stopForSignal();
// stopForSignal when a stop signal has arrived, else nothing. Start-up calls it between
// its steps: one of them can take seconds (a sound device slow to open), and Ctrl-C
// should not have to wait for the loading that follows and the first pass.
void stopIfSignalArrived();

// Runs `step` (SDL or the mixer bringing up devices) with what the libraries write on
// standard error sent to the trace on standard output instead, so that standard error
// keeps only the game's own "brawler: " lines. Wayland's "XDG_RUNTIME_DIR is invalid or
// not set" is dropped: SDL only probes Wayland after X11 failed, and the game then
// says itself that there is no display.
void libraryChatterToTrace(const std::function<void()>& step);
