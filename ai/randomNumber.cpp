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

int randomNumber::getNumber(int n) {
    // An empty band would divide by zero; callers check first, but a slip must not
    // bring the game down.
    if (n < 1)
        return 0;
    return rand() % n;
}
