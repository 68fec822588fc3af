#include "platform/traceLog.h"

#include <cstdarg>
#include <cstdio>

namespace {

struct traceState {
    bool holding = false;
    std::string held;
};

traceState& trace() {
    static traceState state;
    return state;
}

} // namespace

void tracef(const char* format, ...) {
    va_list args;
    va_start(args, format);
    traceState& t = trace();
    if (!t.holding) {
        vprintf(format, args);
        va_end(args);
        return;
    }
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        size_t at = t.held.size();
        t.held.resize(at + static_cast<size_t>(length) + 1);
        vsnprintf(&t.held[at], static_cast<size_t>(length) + 1, format, again);
        t.held.resize(at + static_cast<size_t>(length));
    }
    va_end(again);
}

void holdTrace(bool hold) {
    trace().holding = hold;
}

void flushTrace() {
    traceState& t = trace();
    if (!t.held.empty())
        fwrite(t.held.data(), 1, t.held.size(), stdout);
    t.held.clear();
}

void dropTrace() {
    trace().held.clear();
}

const std::string& heldTrace() {
    return trace().held;
}
