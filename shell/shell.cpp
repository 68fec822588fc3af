#include "shell/shell.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include "SDL_mixer.h"

#include "datafile/bmpHeader.h"
#include "datafile/problemReport.h"
#include "platform/platform.h"
#include "platform/screenPresenter.h"
#include "platform/windowLoss.h"
#include "sound/mixLevels.h"
#include "shell/startupChecks.h"
#include "sprite/screenRect.h"

SDL_Surface* screen = nullptr;
SDL_Surface* back = nullptr;

namespace {

// The display path that rests best: sdl12-compat's software framebuffer costs a third of
// the processor time and memory of its OpenGL path for an 800x600 picture. A player's own
// settings of these variables win.
void preferSoftwareFramebuffer() {
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "software", 0);
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    // Scaled pixels stay crisp: a fighter's outline is a pixel wide.
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

// The library scales the finished 800x600 picture to the window, after the game has
// presented it, so nothing the game draws or tests changes with the scale.
void askForScale(int scale) {
    if (scale > 1)
        setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), 1);
}

// The largest scale up to the one asked whose window fits the desktop: a window larger
// than the screen is placed partly off it, cutting off the HUD and the floor. Asked
// before the mode is set, while SDL still reports the desktop's size.
int fittingScale(int scale) {
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (scale <= 1 || !desktop || desktop->current_w <= 0 || desktop->current_h <= 0)
        return scale;
    int fits = scale;
    while (fits > 1 && (800 * fits > desktop->current_w || 600 * fits > desktop->current_h))
        --fits;
    if (fits != scale)
        fprintf(stderr, "brawler: --scale %d does not fit the %dx%d screen; using %d\n", scale,
                desktop->current_w, desktop->current_h, fits);
    return fits;
}

// SDL's own clean-up at exit, but never a hang: when the X server has gone away, Xlib
// exits the game and SDL's clean-up then waits on the dead connection for ever, so a
// timer ends the process if the clean-up has not returned within a few seconds.
void quitSdl() {
    signal(SIGALRM, SIG_DFL);
    alarm(3);
    SDL_Quit();
    alarm(0);
}

} // namespace

void sdlInit(int scale, bool fullscreen) {
    hideConsoleWindow();
    preferSoftwareFramebuffer();
    // SDL would turn Ctrl-C and SIGTERM into a window-close event; the game catches
    // them itself (installStopSignals) and stops after the pass, with its trace written.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
    // Caught from the very start, so that a stop during a slow start (SDL's device
    // probing, the sound device opening) still writes the trace out.
    installStopSignals();
    watchWindowLoss();
    // A machine without any usable sound device fails the combined start; the game
    // then starts without audio and the mixer below reports why.
    bool started = false;
    libraryChatterToTrace([&] {
        started = SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) >= 0 ||
                  SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) >= 0;
    });
    if (!started) {
        printf("Unable to init SDL: %s\n", SDL_GetError());
        exit(1);
    }
    atexit(quitSdl);
    stopIfSignalArrived();
    requireVisibleDisplay();
    bool audio = false;
    libraryChatterToTrace([&] { audio = Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) >= 0; });
    if (!audio)
        printf("Warning: Couldn't set 44100 Hz 16-bit audio\n- Reason: %s\n", SDL_GetError());
    else
        mixLevels::start(); // room for every channel at once, and the limiter over the sum
    stopIfSignalArrived();
    askForScale(fittingScale(scale));
    screen = SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE | (fullscreen ? SDL_FULLSCREEN : 0));
    if (!screen) {
        printf("Unable to set 800x600 video: %s\n", SDL_GetError());
        exit(1);
    }
    stopIfSignalArrived();
    // The title says the game is still loading until its first pass can run.
    SDL_WM_SetCaption("brawler (loading)", "brawler");
}

SDL_Surface* ImageLoad(const std::string& path) {
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        return nullptr;
    SDL_Surface* loaded = bmpheader::loadBounded(rw);
    if (!loaded)
        return nullptr;
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}

int InitImages(const std::string& dataRoot) {
    std::string path = dataRoot + "/tBG2.bmp";
    ReleaseImages();
    back = ImageLoad(path);
    // Every later frame restores pieces of this picture; without it there is no game.
    if (!back) {
        std::string why = SDL_GetError();
        printf("Unable to load the stage %s: %s\n", path.c_str(), why.c_str());
        reportProblem("cannot read the stage image " + path + " (" + why +
                      ") — it must be an 800x600 BMP");
        exit(1);
    }
    return 0;
}

void ReleaseImages() {
    if (back)
        SDL_FreeSurface(back);
    back = nullptr;
}

void DrawIMG(SDL_Surface* surface, int x, int y) {
    if (!surface || !screen)
        return;
    SDL_Rect dest = screenRect(x, y);
    screenPresenter::noteDraw(screen, dest.x, dest.y, surface->w, surface->h);
    SDL_BlitSurface(surface, nullptr, screen, &dest);
}

void DrawBG() {
    DrawIMG(back, 0, 0);
}
