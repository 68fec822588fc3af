#include "tools/checker/quietStreams.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

quietStreams::quietStreams() {
    fflush(stdout);
    savedOut_ = dup(1);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, 1);
        close(null);
    }
}

quietStreams::~quietStreams() {
    fflush(stdout);
    if (savedOut_ >= 0) {
        dup2(savedOut_, 1);
        close(savedOut_);
    }
}
