#pragma once

#include <string>

// The game's trace on standard output. Usually a line goes out at once. While a fight
// step runs, the lines it says are held and go out after it, or are dropped when the step
// is run again to catch up (a rolled-back step, the sync test), so that a step repeated
// says nothing twice.
void tracef(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Holds the trace from now on (true) or writes it at once again (false); letting go
// does not write what was held.
void holdTrace(bool hold);
// Writes the lines held so far, in order, and forgets them.
void flushTrace();
// Forgets the lines held so far without writing them.
void dropTrace();
// What is held, for tests.
const std::string& heldTrace();
