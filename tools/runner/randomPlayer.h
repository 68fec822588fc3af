#pragma once

#include <random>
#include <vector>

#include "SDL.h"

// A player who presses the game's keys at random, for long fights that look for crashes
// and growth: a key now and then, held for a random while, several at once at times, now
// and then a quarter circle (down, a side, a button) such as special moves are made of,
// the overlay toggled once in a while, never Escape. Its own random stream, seeded by the
// script, so the same script plays the same fight.
class RandomPlayer {
public:
    explicit RandomPlayer(unsigned seed);
    // Before each pass: lifts the keys whose time is up, presses those due, and may
    // start another.
    void step();
    // Lifts every key it holds and forgets those due.
    void releaseAll();

private:
    struct keyPress {
        SDLKey key;
        int passesToWait; // before it goes down
        int passesHeld;   // once down
    };
    void startSomething();
    void pressKey(SDLKey key, int wait, int hold);
    void pressQuarterCircle();
    bool holds(SDLKey key) const;
    int between(int low, int high);
    std::mt19937 random_;
    std::vector<keyPress> due_;  // presses still waiting
    std::vector<keyPress> held_; // keys down
};
