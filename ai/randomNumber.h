#pragma once

// The opponent's one source of chance: the C library generator, which every instance
// shares. Constructing one seeds it from the clock, so each run fights differently;
// seed() sets it by hand so that a test or a replayed fight draws the same again.
class randomNumber {
public:
    // Seeds the generator with the current time in seconds.
    randomNumber();
    // Seeds the generator with `s`; the draws after it repeat for the same `s`.
    void seed(unsigned s);
    // A whole number from 0 to n - 1; 0 when n is below 1.
    int getNumber(int n);
};

// The program-wide source: the opponent and its attack list draw from it.
extern randomNumber g_randomNumber;
