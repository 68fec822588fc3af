#include "shell/platform.h"

#ifdef _WIN32
#include <windows.h>
#endif

void hideConsoleWindow() {
#ifdef _WIN32
    ShowWindow(GetConsoleWindow(), SW_HIDE);
#endif
}
