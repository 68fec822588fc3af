#include "platform/platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
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
