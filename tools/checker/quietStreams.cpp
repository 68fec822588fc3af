#include "tools/checker/quietStreams.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

quietStreams::quietStreams() {
    fflush(stdout);
    fflush(stderr);
    savedOut_ = dup(1);
    savedErr_ = dup(2);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, 1);
        dup2(null, 2);
        close(null);
    }
}

quietStreams::~quietStreams() {
    fflush(stdout);
    fflush(stderr);
    if (savedOut_ >= 0) {
        dup2(savedOut_, 1);
        close(savedOut_);
    }
    if (savedErr_ >= 0) {
        dup2(savedErr_, 2);
        close(savedErr_);
    }
}
