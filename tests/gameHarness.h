#pragma once

#include <string>

#include "SDL.h"

#include "platform/manualClock.h"
#include "shell/game.h"

// The real game on the shipped data under the dummy video driver, on a clock the test
// moves: presses go in as SDL events, held keys through SDL's key-state array.
class GameHarness {
public:
    ManualClock clock{1000};
    Game game;

    // Starts the game (its trace swallowed) with the opponent's random source seeded,
    // and lets both fighters land; the opponent stands still unless `opponentActive`.
    void start(bool opponentActive = false, unsigned seed = 1);
    // One pass of the main loop, the clock moved on by ms first; its trace is kept in
    // `log`. Returns what the pass returned (false once the game should end).
    bool pass(Uint32 ms = 11);
    // Passes until `ms` of game time have gone by.
    void run(Uint32 ms, Uint32 step = 11);
    // A key going down, as the window would deliver it.
    void press(SDLKey key);
    // A key held down or released, as the controller reads it between events.
    void hold(SDLKey key, bool down);
    // Keeps the opponent standing still, so a test can drive the player alone.
    void freezeOpponent();
    // The player facing right at x, the opponent facing left at x2, both standing.
    void placeFighters(int x1, int x2);

    std::string log; // trace of the passes since the last clear
};
