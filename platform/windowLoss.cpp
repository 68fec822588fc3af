#include "platform/windowLoss.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "SDL.h"

#ifdef BRAWLER_X11
#include <X11/Xlib.h>
#endif

namespace {

std::function<void()>& keeper() {
    static std::function<void()> keep;
    return keep;
}

#ifdef BRAWLER_X11
XErrorHandler previousHandler = nullptr;
bool quitAsked = false;

// The window went away under SDL: every later use of it fails the same way, so the
// first failure asks the game to close, as the close button would, and the rest are let
// pass while it does.
int onXError(Display* display, XErrorEvent* error) {
    if (error->error_code != BadWindow && error->error_code != BadDrawable)
        return previousHandler ? previousHandler(display, error) : 0;
    if (!quitAsked) {
        quitAsked = true;
        printf("window: destroyed from outside; closing as on the close button\n");
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    return 0;
}

// The link to the display is gone: Xlib ends the process when this returns, and SDL's
// clean-up would wait on the dead link, so the game keeps what it must and ends here.
int onXIOError(Display*) {
    fflush(stdout);
    fprintf(stderr, "brawler: the link to the display was closed; the game ends\n");
    std::function<void()> keep = std::exchange(keeper(), nullptr);
    if (keep)
        keep();
    fflush(stdout);
    fflush(stderr);
    std::_Exit(0);
}
#endif

} // namespace

void watchWindowLoss() {
#ifdef BRAWLER_X11
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    previousHandler = XSetErrorHandler(onXError);
    XSetIOErrorHandler(onXIOError);
#endif
}

void onDisplayLost(std::function<void()> keep) {
    keeper() = std::move(keep);
}
