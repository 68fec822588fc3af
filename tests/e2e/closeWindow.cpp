// Asks a window to close the way a window manager does when its close button is
// clicked: a WM_DELETE_WINDOW client message. (Destroying the window, as
// `xdotool windowclose` does, is not the same thing.)
//   closeWindow <window id>
#include <cstdio>
#include <cstdlib>

#include <X11/Xlib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: closeWindow <window id>\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "closeWindow: cannot open the display\n");
        return 2;
    }
    Window window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, window, False, NoEventMask, &message);
    XSync(display, False);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
