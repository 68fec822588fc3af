#include "tools/runner/traceMute.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

TraceMute* TraceMute::active_ = nullptr;

TraceMute::TraceMute(bool active) {
    if (!active || active_)
        return;
    int null = open("/dev/null", O_WRONLY);
    if (null < 0)
        return;
    err_.emplace();
    fflush(stdout);
    savedOut_ = dup(1);
    dup2(null, 1);
    close(null);
    static bool registered = false;
    if (!registered)
        registered = atexit(atExit) == 0;
    active_ = this;
}

TraceMute::~TraceMute() {
    restore(false);
}

void TraceMute::atExit() {
    if (active_)
        active_->restore(true);
}

void TraceMute::restore(bool everything) {
    if (active_ != this)
        return;
    fflush(stdout);
    dup2(savedOut_, 1);
    close(savedOut_);
    FILE* held = err_->release();
    char line[1024];
    bool lineStart = true;
    bool passing = false;
    // A long line arrives in pieces; only a piece at a line's start decides whether the
    // whole line is passed on.
    while (held && fgets(line, sizeof line, held)) {
        if (lineStart)
            passing = everything || strncmp(line, "brawler: ", 9) == 0;
        if (passing)
            fputs(line, stderr);
        lineStart = strchr(line, '\n') != nullptr;
    }
    fflush(stderr);
    if (held)
        fclose(held);
    active_ = nullptr;
}
