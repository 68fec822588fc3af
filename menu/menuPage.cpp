#include "menu/menuPage.h"

#include "menu/menuLook.h"
#include "platform/displayMode.h"
#include "platform/platform.h"

namespace {

constexpr Uint32 kPollMs = 10; // between looks at the event queue

} // namespace

void menuPage::draw(SDL_Surface* screen, const menuLook& look) {
    look.drawBackground(screen);
    list.draw(screen, look);
}

bool showPage(SDL_Surface* screen, const menuLook& look, menuInput& input, menuPage& page) {
    watchFullscreenKeys();
    bool dirty = true;
    Uint32 drawnAt = 0;
    for (;;) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            menuAction a = input.read(e);
            if (a == menuAction::quit)
                return false;
            bool raw = page.rawKeys();
            if (a == menuAction::none &&
                !(raw && (e.type == SDL_KEYDOWN || e.type == SDL_JOYBUTTONDOWN)))
                continue;
            if (!raw && (a == menuAction::up || a == menuAction::down))
                page.list.move(a == menuAction::up ? -1 : 1);
            menuStep step = page.act(a, e);
            if (step != menuStep::stay)
                return step == menuStep::leave;
            dirty = true;
        }
        stopIfSignalArrived();
        if (fullscreenAsked())
            dirty = toggleFullscreen(screen) || dirty;
        Uint32 every = page.redrawEveryMs();
        if (every && SDL_GetTicks() - drawnAt >= every)
            dirty = true;
        if (dirty) {
            page.draw(screen, look);
            SDL_Flip(screen);
            drawnAt = SDL_GetTicks();
            dirty = false;
        }
        SDL_Delay(kPollMs);
    }
}
