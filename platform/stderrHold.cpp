#include "platform/stderrHold.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

// The hold in force as a plain descriptor, for the signal handler: -1 when none.
volatile sig_atomic_t heldFd = -1;

// Writes everything held to the real standard error. Only calls that are safe in a
// signal handler; the held stream is unbuffered, so the file has it all.
void passHeldOn() {
    int fd = heldFd;
    if (fd < 0)
        return;
    heldFd = -1;
    char buffer[4096];
    off_t at = 0;
    for (ssize_t n; (n = pread(fd, buffer, sizeof buffer, at)) > 0; at += n)
        for (ssize_t done = 0, w; done < n; done += w)
            if ((w = write(STDERR_FILENO, buffer + done, n - done)) <= 0)
                return;
}

extern "C" void passHeldOnAndDie(int signalNumber) {
    passHeldOn();
    signal(signalNumber, SIG_DFL);
    raise(signalNumber); // delivered with the default action once the handler returns
}

extern "C" void passHeldOnAtExit() {
    passHeldOn();
}

// Once a process: the signals that end it with a message to lose. A signal someone
// else already handles (a sanitizer's crash report, the fuzzer's) is left to them.
void installOnce() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    const int fatal[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
    for (int signalNumber : fatal) {
        struct sigaction now {};
        if (sigaction(signalNumber, nullptr, &now) != 0 || (now.sa_flags & SA_SIGINFO) ||
            now.sa_handler != SIG_DFL)
            continue;
        struct sigaction mine {};
        mine.sa_handler = passHeldOnAndDie;
        sigemptyset(&mine.sa_mask);
        sigaction(signalNumber, &mine, nullptr);
    }
    atexit(passHeldOnAtExit);
}

} // namespace

stderrHold::stderrHold() {
    if (heldFd >= 0)
        return;
    FILE* file = tmpfile();
    if (!file)
        return;
    setvbuf(file, nullptr, _IONBF, 0);
    installOnce();
    fflush(stderr);
    original_ = stderr;
    held_ = file;
    // glibc lets a program set stderr like any variable; everything that prints
    // through it reads it at the time.
    stderr = held_;
    heldFd = fileno(held_);
}

stderrHold::~stderrHold() {
    if (FILE* held = release())
        fclose(held);
}

FILE* stderrHold::release() {
    if (!held_)
        return nullptr;
    heldFd = -1;
    stderr = original_;
    FILE* held = held_;
    held_ = nullptr;
    rewind(held);
    return held;
}
