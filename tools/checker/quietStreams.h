#pragma once

// Sends standard output and standard error to /dev/null while it lives, and puts them
// back when it goes: the loaders trace every step, and the checker's own lines must
// stand alone. Both streams are flushed at each switch so nothing lands on the wrong
// side.
class quietStreams {
public:
    quietStreams();
    ~quietStreams();
    quietStreams(const quietStreams&) = delete;
    quietStreams& operator=(const quietStreams&) = delete;

private:
    int savedOut_ = -1; // duplicate of the caller's standard output, -1 when none
    int savedErr_ = -1; // duplicate of the caller's standard error
};
