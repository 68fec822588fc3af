#include "platform/platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void rememberStopSignal(int signalNumber) {
    caughtSignal = signalNumber;
}

} // namespace

void hideConsoleWindow() {
#ifdef _WIN32
    ShowWindow(GetConsoleWindow(), SW_HIDE);
#endif
}

void installStopSignals() {
    std::signal(SIGINT, rememberStopSignal);
    std::signal(SIGTERM, rememberStopSignal);
}

bool stopSignalArrived() {
    return caughtSignal != 0;
}

void stopForSignal() {
    int signalNumber = caughtSignal;
    fflush(stdout);
    fflush(stderr);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
    std::_Exit(128 + signalNumber);
}

void stopIfSignalArrived() {
    if (stopSignalArrived())
        stopForSignal();
}

void libraryChatterToTrace(const std::function<void()>& step) {
#ifdef _WIN32
    step();
#else
    fflush(stdout);
    fflush(stderr);
    FILE* caught = tmpfile();
    int savedErr = caught ? dup(STDERR_FILENO) : -1;
    if (savedErr < 0 || dup2(fileno(caught), STDERR_FILENO) < 0) {
        if (savedErr >= 0)
            close(savedErr);
        if (caught)
            fclose(caught);
        step();
        return;
    }
    step();
    fflush(stderr);
    dup2(savedErr, STDERR_FILENO);
    close(savedErr);
    rewind(caught);
    char line[1024];
    while (fgets(line, sizeof line, caught))
        if (!strstr(line, "XDG_RUNTIME_DIR is invalid or not set"))
            fputs(line, stdout);
    fclose(caught);
#endif
}
