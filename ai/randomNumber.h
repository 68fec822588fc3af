#pragma once

#include <cstdint>

// The opponent's one source of chance. The classic game draws from the C library
// generator, which every instance shares: constructing one seeds it from the clock, so
// each run fights differently, and seed() sets it by hand so that a test or a replayed
// fight draws the same again. A match draws from a small generator of its own instead
// (seedFight), whose whole state is `state`: saved with the fight and restored with it,
// so a fight run again from a saved point draws the same numbers.
class randomNumber {
public:
    bool ownGenerator = false; // draws from `state` instead of the C library
    uint64_t state = 0;        // the own generator's state; the fight's to save

    // Seeds the generator with the current time in seconds.
    randomNumber();
    // Seeds the C library generator with `s`; the draws after it repeat for the same `s`.
    void seed(unsigned s);
    // Draws from the own generator from now on, starting from `s`.
    void seedFight(uint64_t s);
    // Back to the C library generator.
    void useLibraryGenerator();
    // A whole number from 0 to n - 1; 0 when n is below 1.
    int getNumber(int n);
};

// The program-wide source: the opponent and its attack list draw from it.
extern randomNumber g_randomNumber;
