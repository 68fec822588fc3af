#pragma once

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// Sends standard output to /dev/null while it lives, so the game's trace stays out of
// the figures' way (and costs what writing it to a file would).
class QuietStdout {
public:
    QuietStdout() {
        fflush(stdout);
        saved_ = dup(1);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~QuietStdout() {
        fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved_;
};
