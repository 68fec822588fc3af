#include "ai/randomNumber.h"

#include <cstdlib>
#include <ctime>

randomNumber g_randomNumber;

randomNumber::randomNumber() {
    srand(static_cast<unsigned>(time(nullptr)));
}

void randomNumber::seed(unsigned s) {
    srand(s);
}

void randomNumber::seedFight(uint64_t s) {
    ownGenerator = true;
    state = s;
}

void randomNumber::useLibraryGenerator() {
    ownGenerator = false;
}

namespace {

// SplitMix64: one 64-bit word of state, every seed usable, the same numbers on every
// compiler and machine.
uint32_t nextOwn(uint64_t& state) {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

} // namespace

int randomNumber::getNumber(int n) {
    // An empty band would divide by zero; callers check first, but a slip must not
    // bring the game down.
    if (n < 1)
        return 0;
    if (ownGenerator)
        return static_cast<int>(nextOwn(state) % static_cast<uint32_t>(n));
    return rand() % n;
}
